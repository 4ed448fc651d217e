#include <windows.h>

#include <exception>

#include "Application.h"
#include "Program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        platform::Application app(instance);
        CreateProgramForms(app);
        return app.Run();
    } catch (const std::exception& error) {
        // Only a broken build gets here (a layout or a resource missing).
        ::MessageBoxA(nullptr, error.what(), "Sitzblick", MB_OK | MB_ICONERROR);
        return 1;
    }
}
