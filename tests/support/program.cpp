#include "program.h"

#include <cstdlib>

namespace {

bool Start(std::string& commandLine, PROCESS_INFORMATION* process) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, process) != FALSE;
}

}  // namespace

DWORD Slowed(DWORD ms) {
    static const DWORD factor = [] {
        char text[16] = {};
        const DWORD length = GetEnvironmentVariableA("PNR_SLOWNESS", text, sizeof text);
        const int value = length > 0 && length < sizeof text ? atoi(text) : 1;
        return static_cast<DWORD>(value >= 1 && value <= 100 ? value : 1);
    }();
    return ms * factor;
}

HANDLE StartProgram(std::string commandLine) {
    PROCESS_INFORMATION process = {};
    if (!Start(commandLine, &process)) return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

bool StartUnixProgram(std::string commandLine) {
    PROCESS_INFORMATION process = {};
    if (!Start(commandLine, &process)) return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return true;
}
