// The host's command line: parsing into a request, and carrying it out.
#pragma once

#include "exit_codes.h"
#include "settings_file.h"

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
