#include "console_output.h"

#include <windows.h>

#include <stdarg.h>

namespace {

bool g_messageBoxErrors = false;

void Write(DWORD which, const char* format, va_list arguments) {
    char text[1100];
    const int length = wvsprintfA(text, format, arguments);
    HANDLE handle = GetStdHandle(which);
    if (length <= 0 || handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(handle, text, static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace

void PrintOut(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    Write(STD_OUTPUT_HANDLE, format, arguments);
    va_end(arguments);
}

void PrintError(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    if (g_messageBoxErrors) {
        char text[1100];
        wvsprintfA(text, format, arguments);
        MessageBoxA(nullptr, text, "Panorela", MB_OK | MB_ICONERROR);
    } else {
        Write(STD_ERROR_HANDLE, format, arguments);
    }
    va_end(arguments);
}

void UseMessageBoxForErrors() { g_messageBoxErrors = true; }

void WriteOut(const char* text) {
    HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(handle, text, static_cast<DWORD>(lstrlenA(text)), &written, nullptr);
}
