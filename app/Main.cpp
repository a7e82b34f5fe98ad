// Kelvandor.exe: one application object, started, run and released.
#include <windows.h>

#include "app/PasswordApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    kv::CPasswordApp app;
    if (!app.InitInstance(commandLine != nullptr ? commandLine : "")) return 0;
    return app.Run();
}
