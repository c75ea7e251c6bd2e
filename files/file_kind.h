// Telling program text files from image files by the name.
#pragma once

#include <filesystem>

enum class FileKind { ProgramText, Image };

// A path whose text from its last "." on is ".STXT" (ASCII letters without
// case) is program text; every other path, one without a "." included, is an image.
FileKind FileKindOf(const std::filesystem::path& path);
