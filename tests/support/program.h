// Starting another program.
#pragma once

#include <windows.h>

#include <string>

// `ms` scaled by the whole factor in PNR_SLOWNESS (default 1), which the test
// command sets where programs run slower, as in an emulated virtual machine.
// Every wait that depends on the machine's speed goes through it.
DWORD Slowed(DWORD ms);

// Starts `commandLine` (the program is looked up as CreateProcessA does, no
// handles are inherited) and returns its process handle, which the caller
// closes; null if it could not be started.
HANDLE StartProgram(std::string commandLine);

// Starts a Unix program named by its Z: path; true if it started. Wine gives
// no handle for it, so the caller waits for its effect instead.
bool StartUnixProgram(std::string commandLine);
