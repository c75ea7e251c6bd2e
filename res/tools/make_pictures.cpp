// Draws the bitmaps and the icon of the resource script into a folder:
//   make_pictures <res folder>
// Run by hand after changing a drawing; its output is kept in the repository.
#include "res/tools/image_files.h"
#include "res/tools/pictures.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <res folder>\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    struct Output {
        const char* name;
        Canvas picture;
    };
    const Output bitmaps[] = {
        {"open.bmp", DrawOpenPicture()},          {"save.bmp", DrawSavePicture()},
        {"clear.bmp", DrawClearPicture()},        {"exit.bmp", DrawExitPicture()},
        {"send.bmp", DrawSendPicture()},          {"device_unknown.bmp", DrawDeviceUnknownPicture()},
        {"no_device.bmp", DrawNoDevicePicture()}, {"device.bmp", DrawDevicePicture()},
        {"logo.bmp", DrawLogoPicture()},
    };
    bool ok = true;
    for (const Output& output : bitmaps) {
        ok = SaveFile(folder + "/" + output.name, EncodeBmp(output.picture)) && ok;
    }
    ok = SaveFile(folder + "/velmora.ico", EncodeIco({DrawIconPicture(32), DrawIconPicture(16)})) && ok;
    if (!ok) {
        std::fprintf(stderr, "could not write every picture into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
