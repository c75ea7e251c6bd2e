// Reads an extended dialog template from the test program's resources.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace res_test {

// A template string or a resource ordinal (then `text` is empty).
struct TemplateText {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::wstring text;
};

struct DialogItem {
    DWORD exStyle = 0;
    DWORD style = 0;
    RECT box{};  // dialog units: left, top, right, bottom
    int id = 0;
    std::wstring className;  // lower case; predefined ordinals by name
    TemplateText title;
};

struct DialogTemplate {
    DWORD exStyle = 0;
    DWORD style = 0;
    int width = 0;
    int height = 0;
    std::wstring caption;
    WORD pointSize = 0;
    std::wstring face;
    std::vector<DialogItem> items;
};

// False when the resource is missing, not a DLGTEMPLATEEX or cut short.
bool LoadDialogTemplate(int id, DialogTemplate& dialog);

}  // namespace res_test
