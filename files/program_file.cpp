#include "files/program_file.h"

#include <cstring>

#include "files/file_kind.h"
#include "files/image_file.h"
#include "files/program_text.h"
#include "model/checker.h"
#include "model/device_image.h"
#include "model/vocabulary.h"

int LoadProgramRows(const std::filesystem::path& path, ProgramRow (&rows)[MAX_ROWS], uint8_t* image) {
    std::memset(rows, 0, sizeof rows);
    int count;
    if (FileKindOf(path) == FileKind::ProgramText) {
        count = ReadProgramText(path, rows, MAX_ROWS);
    } else {
        const int length = ReadImageFile(path, image);
        if (length < 0)
            return length;
        count = DecodeProgram(image, length, rows);
        if (count < 0)
            return LOAD_NOT_AN_IMAGE;
    }
    if (count < 0)
        return count;
    if (count == 0 || (count < MAX_ROWS && rows[count - 1].code != CMD_NONE)) {
        std::memset(&rows[count], 0, sizeof rows[count]);
        ++count;
    }
    return count;
}

int SaveProgramRows(const std::filesystem::path& path, ProgramRow* rows, int count, uint8_t* image, int* checkResult) {
    if (FileKindOf(path) == FileKind::ProgramText)
        return WriteProgramText(path, rows, count);
    const int result = CheckProgram(rows, count);
    if (checkResult)
        *checkResult = result;
    const int length = EncodeProgram(rows, count, image, IMAGE_FILE_CAPACITY);
    if (length < 0)
        return 0;
    return WriteImageFile(image, path, length);
}
