// Runs panorela-host.exe as a user or a script would, and looks at what it
// leaves behind: exit code, standard output and error, its settings file
// and the host window it keeps running.
#pragma once

#include <windows.h>

#include <string>

#include "program.h"

struct HostRun {
    bool finished = false;  // ended within the time allowed
    DWORD exitCode = 0;
    std::string out;
    std::string err;
};

inline std::string TempPath(const std::string& name) {
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    return std::string(directory) + name;
}

inline std::string ReadWholeFile(const std::string& path) {
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    CloseHandle(file);
    return text;
}

// Starts `program` with `arguments`; its standard output and error go to two
// files (a pipe could be held open by a host it starts in the background).
// Waits up to `timeoutMs`; a program still running then is left running.
inline HostRun RunProgram(const std::string& program, const std::string& arguments,
                          DWORD timeoutMs = 30000, HANDLE* processOut = nullptr) {
    HostRun run;
    // Only the two files are handed down: a host left running must not hold
    // this program's own output (CTest's pipe) open.
    for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        SetHandleInformation(GetStdHandle(which), HANDLE_FLAG_INHERIT, 0);
    }
    static int counter = 0;
    ++counter;
    const std::string outPath = TempPath("pnr_host_out_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(counter));
    const std::string errPath = outPath + "_err";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
    HANDLE err = CreateFileA(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::string commandLine = "\"" + program + "\" " + arguments;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(out);
    CloseHandle(err);
    if (started) {
        CloseHandle(process.hThread);
        run.finished = WaitForSingleObject(process.hProcess, Slowed(timeoutMs)) == WAIT_OBJECT_0;
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        if (processOut) {
            *processOut = process.hProcess;
        } else {
            CloseHandle(process.hProcess);
        }
    }
    run.out = ReadWholeFile(outPath);
    run.err = ReadWholeFile(errPath);
    DeleteFileA(outPath.c_str());
    DeleteFileA(errPath.c_str());
    return run;
}

inline std::string HostExe() {
    char path[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, path);
    return std::string(path) + "\\panorela-host.exe";
}

inline HostRun RunHost(const std::string& arguments, DWORD timeoutMs = 30000) {
    return RunProgram(HostExe(), arguments, timeoutMs);
}

// The settings window of a running host of this version.
inline HWND FindHostWindow() { return FindWindowA("TfrmPanorela", "Panorela 4.0.0"); }

// The host's window, once it exists with its controls; with `process`, only
// that process's window (an ending host's window can outlive its "quit" for a
// while). The window can be found while its WM_CREATE is still making the
// controls, the status line (301) last.
inline HWND WaitForHostWindow(DWORD ms = 10000, HANDLE process = nullptr) {
    const DWORD wanted = process ? GetProcessId(process) : 0;
    for (DWORD waited = 0; waited < Slowed(ms); waited += 50) {
        HWND wnd = nullptr;
        while ((wnd = FindWindowExA(nullptr, wnd, "TfrmPanorela", "Panorela 4.0.0")) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(wnd, &owner);
            if ((!wanted || owner == wanted) && GetDlgItem(wnd, 301)) return wnd;
        }
        Sleep(50);
    }
    return nullptr;
}

// The host shows its window only after creating it and its controls.
inline bool WaitUntilVisible(HWND wnd, DWORD ms = 5000) {
    for (DWORD waited = 0; waited < Slowed(ms); waited += 50) {
        if (IsWindowVisible(wnd)) return true;
        Sleep(50);
    }
    return IsWindowVisible(wnd);
}

// Starts the host without waiting for it to end (the window or tray mode).
// Clicks a button of the host's window as a user's click ends: a check box
// changes its check, then the window gets BN_CLICKED. (BM_CLICK sent from
// another process can lose the click to a mouse move that arrives between
// its press and its release.)
inline void ClickButton(HWND button) {
    const LONG type = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) {
        const LRESULT checked = SendMessageA(button, BM_GETCHECK, 0, 0);
        SendMessageA(button, BM_SETCHECK, checked == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
    }
    SendMessageA(GetParent(button), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

inline HANDLE StartHost(const std::string& arguments) {
    HANDLE process = nullptr;
    RunProgram(HostExe(), arguments, 0, &process);
    return process;
}

// Ends any host still running: first by its own "quit", then by force.
// Asks a running host to quit and waits until its process has ended, so that
// the next test cannot meet its window.
inline void EndRunningHost() {
    HWND wnd = FindHostWindow();
    if (!wnd) return;
    DWORD processId = 0;
    GetWindowThreadProcessId(wnd, &processId);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    RunHost("quit", 20000);
    if (!process) return;
    if (WaitForSingleObject(process, Slowed(20000)) != WAIT_OBJECT_0) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, Slowed(5000));
    }
    CloseHandle(process);
}

inline int IniValue(const std::string& path, const char* key) {
    return static_cast<int>(GetPrivateProfileIntA("Panorela", key, -1, path.c_str()));
}

// A private settings file for this test program, handed to every host it starts.
inline std::string UsePrivateSettingsFile() {
    const std::string path = TempPath("pnr_settings_" + std::to_string(GetCurrentProcessId()) + ".ini");
    DeleteFileA(path.c_str());
    SetEnvironmentVariableA("PANORELA_SETTINGS", path.c_str());
    return path;
}
