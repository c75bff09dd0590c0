// The exit codes of panorela-host, for scripts; --help and the README list them.
#pragma once

enum ExitCode {
    kExitOk = 0,
    kExitUsage = 1,          // wrong arguments
    kExitNoLibrary = 2,      // panorela.dll missing or not loadable
    kExitForeignLibrary = 3, // a panorela.dll without the exports this needs
    kExitRefused = 4,        // SetHooks refused (no IDE, or hooks not installed)
    kExitStuck = 5,          // UnHookHooks could not remove every hook
    kExitNoHost = 6,         // the running host could not be started or did not answer
    kExitSettingsFile = 7,   // the settings file could not be written
    kExitTimedOut = 8,       // the running host gave up a wait, or was busy with another
};
