#include "framework/app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    CWinApp* app = CWinApp::Current();
    return app ? app->Run() : 1;
}
