// The device image: the byte form of a program that the device runs and that
// ".Bin" files hold.
//   0x00, row count, one record per row with code 0..14 (2 bytes, IF 8), 0x00.
#pragma once

#include <cstdint>

#include "model/program_row.h"

constexpr int IMAGE_BUFFER_SIZE = 2048;    // the send buffer, also the send capacity
constexpr int IMAGE_FILE_CAPACITY = 1024;  // largest image a ".Bin" file holds

// Opcode of each CommandCode 0..14; IF takes 0x81 + its input index.
inline constexpr uint8_t Opcodes[15] = {0x00, 0x80, 0x10, 0x81, 0x41, 0x42, 0x43, 0x44,
                                        0x45, 0x46, 0x47, 0x48, 0x24, 0x11, 0x12};
constexpr uint8_t IMAGE_THEN_MARKER = 0x94;
constexpr uint8_t IMAGE_ELSE_MARKER = 0x95;

// Writes the image of rows checked just before by CheckProgram and returns its
// length. 0 (nothing written) for missing rows or buffer, a count of 0 or less,
// or a capacity below the 3 bytes of an empty image; -1 (nothing written) when
// FirstErrorRow finds an error. Records that do not fit the capacity are left out.
int EncodeProgram(const ProgramRow* rows, int count, uint8_t* buffer, int capacity);

// Fills up to MAX_ROWS rows from an image and returns how many it made; -1 when
// a record starts with a byte that is no opcode or image or rows are missing,
// and then no row is changed. `rows` must hold MAX_ROWS rows. Never reads past
// `length`. IF opcodes 0x81..0x84 read as IN1..IN4.
int DecodeProgram(const uint8_t* image, int length, ProgramRow* rows);
