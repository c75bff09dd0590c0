// The host's command line: parsing into a request, and carrying it out.
#pragma once

#include "settings_file.h"

enum ExitCode {
    kExitOk = 0,
    kExitUsage = 1,          // wrong arguments
    kExitNoLibrary = 2,      // panorela.dll missing or not loadable
    kExitForeignLibrary = 3, // a panorela.dll without the exports this needs
    kExitRefused = 4,        // SetHooks refused (no IDE, or hooks not installed)
    kExitStuck = 5,          // UnHookHooks could not remove every hook
    kExitNoHost = 6,         // the running host could not be started or did not answer
    kExitSettingsFile = 7,   // the settings file could not be written
};

enum class Action { kWindow, kTray, kActivate, kDeactivate, kSet, kStatus, kQuit, kHelp, kGuard, kInvalid };

struct Request {
    Action action = Action::kWindow;
    SettingId setting = kSettingCount;
    bool on = false;
    unsigned long guardedHost = 0;  // for kGuard: the host's process id
    unsigned long guardedHook = 0;  // and the mouse hook of its activation
    char error[256] = {};  // for kInvalid: what was wrong
};

Request ParseCommandLine(int argc, char** argv);
// Carries out every action but the two that run the window.
int RunCommand(const Request& request);
void PrintUsage();

class PanorelaLibrary;
// Loads panorela.dll and checks that it has the exports in `needed` (see
// ExportBit); reports what is wrong and returns the exit code, kExitOk when usable.
int LoadLibraryFor(PanorelaLibrary& library, unsigned needed, const char* action);
