#include "resident_link.h"

#include "pnrCommon.h"
#include "version.h"

void WindowCaption(char* caption, int size) {
    lstrcpynA(caption, "Panorela " PNR_VERSION_STRING, size);
}

HWND FindRunningHost() {
    // The class alone is not enough: an IDE add-in host owns a TfrmPanorela form too.
    char caption[64];
    WindowCaption(caption, sizeof caption);
    return FindWindowA(PNR_HOST_FORM_CLASS, caption);
}

LRESULT SendToHost(HWND host, const char* command) {
    COPYDATASTRUCT data = {};
    data.dwData = kLinkMagic;
    data.cbData = static_cast<DWORD>(lstrlenA(command) + 1);
    data.lpData = const_cast<char*>(command);
    DWORD_PTR reply = 0;
    // Activation waits for the IDE to maximise its editor; allow for a slow IDE.
    if (!SendMessageTimeoutA(host, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                             30000, &reply)) {
        return kReplyNoAnswer;
    }
    return static_cast<LRESULT>(reply);
}

HWND StartHost(const char* arguments, DWORD* exitCode) {
    *exitCode = STILL_ACTIVE;
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    char commandLine[MAX_PATH + 64];
    wsprintfA(commandLine, "\"%s\" %s", program, arguments);
    // No standard handles: the host outlives this program, and must not keep
    // a caller's pipe open (a script reading our output would never see its end).
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE,
                        DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup,
                        &process)) {
        *exitCode = GetLastError();
        return nullptr;
    }
    CloseHandle(process.hThread);
    HWND host = nullptr;
    for (int i = 0; i < 200 && !host; ++i) {
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
            GetExitCodeProcess(process.hProcess, exitCode);
            break;
        }
        host = FindRunningHost();
    }
    CloseHandle(process.hProcess);
    return host;
}

bool QuitHost(HWND host) {
    DWORD processId = 0;
    GetWindowThreadProcessId(host, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    const bool told = SendToHost(host, "quit") == kReplyDone;
    bool ended = false;
    if (process) {
        ended = WaitForSingleObject(process, 15000) == WAIT_OBJECT_0;
        CloseHandle(process);
    }
    return told && (ended || !process);
}
