// Texts from language packs with values filled in. A pack's text is not
// trusted as a printf format: only "%s" and "%d" are replaced, in order, by
// the values given ("%%" is one "%"); a placeholder without a value becomes
// empty and every other character stays as it is.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

std::wstring FillInText(std::wstring_view text, std::initializer_list<std::wstring_view> values);
