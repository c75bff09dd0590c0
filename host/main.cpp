// panorela-host: loads panorela.dll, offers its settings in a window and on
// the command line, and keeps the library's hooks alive while it runs.
//
// A console program, so that scripts get its output and exit code; started
// without a command outside any console window, it lets go of the console it
// was given and shows its errors in message boxes instead.
#include <windows.h>

#include "command_line.h"
#include "console_output.h"
#include "guard.h"
#include "library_binding.h"
#include "resident_host.h"

namespace {

// True when nobody would read what this process writes to standard error:
// no handle at all, or a console that exists only for this process (started
// from Explorer or a shortcut). Output redirected to a file or pipe counts
// as read.
bool NoOneReadsErrors() {
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (err == nullptr || err == INVALID_HANDLE_VALUE) return true;
    const DWORD type = GetFileType(err);
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) return false;
    if (type != FILE_TYPE_CHAR) return true;
    DWORD processes[2];
    return GetConsoleProcessList(processes, 2) == 1;
}

int RunHost(bool showWindow) {
    if (NoOneReadsErrors()) {
        FreeConsole();
        UseMessageBoxForErrors();
    }
    PanorelaLibrary library;
    if (const int failed = LoadLibraryFor(library, kAllExports, "the settings window")) return failed;
    return RunResidentHost(library, showWindow);
}

}  // namespace

int main(int argc, char** argv) {
    const Request request = ParseCommandLine(argc, argv);
    switch (request.action) {
    case Action::kWindow:
        // A second start shows the running host's window instead.
        if (HWND host = FindRunningHost()) return SendToHost(host, "show") == kReplyDone ? kExitOk : kExitNoHost;
        return RunHost(true);
    case Action::kTray:
        if (FindRunningHost()) return kExitOk;
        return RunHost(false);
    case Action::kGuard:
        return RunGuard(request.guardedHost, request.guardedHook);
    default:
        return RunCommand(request);
    }
}
