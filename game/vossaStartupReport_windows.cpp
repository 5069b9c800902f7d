// vossaStartupReport, Windows: standard error when the program has one (started from a console
// with its output redirected, or by a test), a message box otherwise.
#include "vossaStartupReport.h"

#include <SDL.h>
#include <cstdio>
#include <windows.h>

void ReportStartupFailure(const char* reason)
{
    const char* text = reason != nullptr && reason[0] != '\0' ? reason : "unknown reason";
    std::fprintf(stderr, "vossa: cannot start: %s\n", text);
    std::fflush(stderr);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE)
    {
        char message[512];
        std::snprintf(message, sizeof(message), "Vossa cannot start:\n\n%s", text);
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Vossa", message, nullptr);
    }
}
