// Loading and saving a whole program file of either kind, as the editor's
// Open and Save commands do.
#pragma once

#include <cstdint>
#include <filesystem>

#include "model/program_row.h"

// Result of LoadProgramRows for an image file that holds no device image.
constexpr int LOAD_NOT_AN_IMAGE = -5;

// Zero-fills `rows` and reads the file into it: program text by its name, else
// an image file read into `image` (IMAGE_FILE_CAPACITY bytes at least) and
// decoded. The program then ends with one empty row where there is room.
// Returns the row count; when reading fails, -1 (cannot open) or the other
// negative results of ReadImageFile, or LOAD_NOT_AN_IMAGE.
int LoadProgramRows(const std::filesystem::path& path, ProgramRow (&rows)[MAX_ROWS], uint8_t* image);

// Writes the rows as program text, or by the name as an image: then the rows
// are checked (result in *checkResult when given) and encoded into `image`
// (IMAGE_FILE_CAPACITY bytes at least); a program with an error writes nothing.
// 1 on success, 0 on failure.
int SaveProgramRows(const std::filesystem::path& path, ProgramRow* rows, int count, uint8_t* image, int* checkResult);
