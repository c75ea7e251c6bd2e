// Where the executable lies, and the files the editor keeps beside it.
#pragma once
#include <string>
#include <string_view>

// Full path of the running executable.
std::wstring ExecutablePath();

// The part of a path before its last backslash, never ending in one; for an
// executable in the root of a drive that is the drive itself ("C:"), so that
// "\name" appended to it names a file in that root. A path without a
// backslash is returned whole.
std::wstring ExecutableFolder(std::wstring_view exePath);

// The settings file "Velmora.ini" in a folder.
std::wstring SettingsPathIn(const std::wstring& folder);
