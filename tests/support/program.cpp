#include "program.h"

namespace {

bool Start(std::string& commandLine, PROCESS_INFORMATION* process) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, process) != FALSE;
}

}  // namespace

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
