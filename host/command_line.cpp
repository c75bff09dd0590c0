#include "command_line.h"

#include <windows.h>

#include <stdlib.h>

#include "console_output.h"
#include "host_actions.h"
#include "library_binding.h"
#include "resident_host.h"
#include "version.h"

namespace {

bool Is(const char* argument, const char* word) { return lstrcmpiA(argument, word) == 0; }

// A whole unsigned decimal number, digits only.
bool ParseDecimal(const char* text, unsigned long* value) {
    if (*text < '0' || *text > '9') return false;
    char* end = nullptr;
    *value = strtoul(text, &end, 10);
    return *end == '\0';
}

Request Invalid(const char* format, const char* detail) {
    Request request;
    request.action = Action::kInvalid;
    char shortened[64];
    lstrcpynA(shortened, detail, sizeof shortened);
    wsprintfA(request.error, format, shortened);
    return request;
}

int ReportReply(LRESULT reply) {
    switch (reply) {
    case kReplyDone: return kExitOk;
    case kReplyNoIde:
        PrintError("panorela-host: %s\n", ActivationText(Activation::kNoIde));
        return kExitRefused;
    case kReplyHooksRefused:
        PrintError("panorela-host: %s\n", ActivationText(Activation::kHooksRefused));
        return kExitRefused;
    case kReplyHooksStuck:
        PrintError("panorela-host: a hook could not be removed; Panorela is still active\n");
        return kExitStuck;
    case kReplyLockTimedOut:
        PrintError("panorela-host: the activation lock stayed taken for %u s (another host activating, or a guard "
                   "bringing the IDE's windows back); Panorela was not activated\n", kLockWaitMs / 1000);
        return kExitTimedOut;
    case kReplyNoGuard:
        PrintError("panorela-host: Panorela is active, but its guard did not start within %u s: should the host "
                   "end without deactivating, the IDE's windows stay hidden\n", kGuardStartWaitMs / 1000);
        return kExitTimedOut;
    case kReplyGuardLingers:
        PrintError("panorela-host: Panorela is inactive, but its stopped guard did not end within %u s\n",
                   kGuardStopWaitMs / 1000);
        return kExitTimedOut;
    case kReplyBusy:
        PrintError("panorela-host: the running Panorela host is busy with another activation or deactivation; try again\n");
        return kExitTimedOut;
    case kReplyEnding:
        PrintError("panorela-host: the running Panorela host is ending; Panorela was not activated\n");
        return kExitTimedOut;
    default:
        PrintError("panorela-host: the running Panorela host did not answer\n");
        return kExitNoHost;
    }
}

int RunActivate() {
    PanorelaLibrary library;
    if (const int failed = LoadLibraryFor(library, kAllExports, "activate")) return failed;
    // The hooks must live in a program that keeps running: hand the work to
    // the running host, starting one in the notification area if needed.
    HWND host = FindRunningHost();
    bool started = false;
    if (!host) {
        DWORD exitCode = 0;
        host = StartHost("--tray", &exitCode);
        if (!host) {
            PrintError("panorela-host: the Panorela host did not start (code %u)\n", static_cast<unsigned>(exitCode));
            return kExitNoHost;
        }
        started = true;
    }
    const LRESULT reply = SendToHost(host, "activate");
    // A host started for an activation that did not happen has nothing to keep.
    if (started && reply != kReplyDone && reply != kReplyNoGuard) QuitHost(host);
    if (reply == kReplyDone) PrintOut("Panorela is active\n");
    return ReportReply(reply);
}

int RunDeactivate() {
    PanorelaLibrary library;
    const unsigned needed = ExportBit(PNR_ORD_GET_MAP_DATA) | ExportBit(PNR_ORD_UN_HOOK_HOOKS);
    if (const int failed = LoadLibraryFor(library, needed, "deactivate")) return failed;
    if (HWND host = FindRunningHost()) {
        const LRESULT reply = SendToHost(host, "deactivate");
        if (reply == kReplyDone) PrintOut("Panorela is inactive\n");
        return ReportReply(reply);
    }
    if (!IsActive(library)) {
        PrintOut("Panorela is inactive\n");
        return kExitOk;
    }
    // Active without a host of ours: only the program that installed the hooks can remove them.
    if (library.UnHookHooks(true)) {
        PrintOut("Panorela is inactive\n");
        return kExitOk;
    }
    PrintError("panorela-host: the hooks belong to another program; deactivate Panorela there\n");
    return kExitStuck;
}

int RunSet(SettingId id, bool on) {
    PanorelaLibrary library;
    unsigned needed = ExportBit(PNR_ORD_GET_MAP_DATA);
    if (id == kToolBarHiding) needed |= ExportBit(PNR_ORD_SET_TOOL_BAR_HIDING_MODE);
    if (id == kObjInspHiding) needed |= ExportBit(PNR_ORD_SET_OBJ_INSP_HIDING_MODE);
    if (const int failed = LoadLibraryFor(library, needed, "set")) return failed;

    const SettingInfo& info = Setting(id);
    if (HWND host = FindRunningHost()) {
        char command[64];
        wsprintfA(command, "set %s %d", info.word, on ? 1 : 0);
        const LRESULT reply = SendToHost(host, command);
        if (reply != kReplyDone) return ReportReply(reply);
    } else {
        char path[MAX_PATH];
        SettingsPath(path, MAX_PATH);
        Settings settings = LoadSettings(path);
        settings.value[id] = on;
        if (!SaveSettings(path, settings)) {
            PrintError("panorela-host: cannot write the settings file %s\n", path);
            return kExitSettingsFile;
        }
        ApplySetting(library, id, on);
    }
    PrintOut("%s = %d\n", info.key, on ? 1 : 0);
    return kExitOk;
}

int RunStatus() {
    PanorelaLibrary library;
    if (const int failed = LoadLibraryFor(library, ExportBit(PNR_ORD_GET_MAP_DATA), "status")) return failed;
    const SharedState* s = library.State();
    char path[MAX_PATH];
    SettingsPath(path, MAX_PATH);
    PrintOut("library = %s\n", library.Path());
    PrintOut("settings file = %s\n", path);
    PrintOut("host = %s\n", FindRunningHost() ? "running" : "not running");
    PrintOut("IDE = %s\n", IdeRunning() ? "found" : "not found");
    PrintOut("MouseHook = 0x%08lx\n", static_cast<unsigned long>(s->MouseHook));
    PrintOut("CallWndProcHook = 0x%08lx\n", static_cast<unsigned long>(s->CallWndProcHook));
    PrintOut("GetMessageHook = 0x%08lx\n", static_cast<unsigned long>(s->GetMessageHook));
    PrintOut("InspectorWnd = 0x%08lx\n", static_cast<unsigned long>(s->InspectorWnd));
    PrintOut("AppBuilderWnd = 0x%08lx\n", static_cast<unsigned long>(s->AppBuilderWnd));
    PrintOut("EditWnd = 0x%08lx\n", static_cast<unsigned long>(s->EditWnd));
    PrintOut("ObjInspHiding = %u\n", s->ObjInspHiding);
    PrintOut("ToolBarHiding = %u\n", s->ToolBarHiding);
    PrintOut("InspectorFullHeight = %u\n", s->InspectorFullHeight);
    PrintOut("HideInspectorWhenActive = %u\n", s->HideInspectorWhenActive);
    PrintOut("HooksActive = %u\n", s->HooksActive);
    PrintOut("MenuActive = %u\n", s->MenuActive);
    PrintOut("WorkRight = %d\n", static_cast<int>(s->WorkRight));
    PrintOut("WorkBottom = %d\n", static_cast<int>(s->WorkBottom));
    PrintOut("MainMenuBase = %d\n", static_cast<int>(s->MainMenuBase));
    PrintOut("InspMenuBase = %d\n", static_cast<int>(s->InspMenuBase));
    PrintOut("IdleMark = %u\n", s->IdleMark);
    PrintOut("LeftDownWnd = 0x%08lx\n", static_cast<unsigned long>(s->LeftDownWnd));
    PrintOut("RightDownWnd = 0x%08lx\n", static_cast<unsigned long>(s->RightDownWnd));
    PrintOut("HostFlagA = %u\n", s->HostFlagA);
    PrintOut("HostFlagB = %u\n", s->HostFlagB);
    PrintOut("HostValue = %lu\n", static_cast<unsigned long>(s->HostValue));
    return kExitOk;
}

int RunQuit() {
    HWND host = FindRunningHost();
    if (!host) {
        PrintOut("no Panorela host is running\n");
        return kExitOk;
    }
    if (!QuitHost(host)) {
        PrintError("panorela-host: the running Panorela host did not end\n");
        return kExitNoHost;
    }
    PrintOut("Panorela host ended\n");
    return kExitOk;
}

}  // namespace

Request ParseCommandLine(int argc, char** argv) {
    Request request;
    if (argc < 2) return request;
    const char* command = argv[1];
    int expected = 2;  // arguments the command takes, program name included
    if (Is(command, "--help") || Is(command, "-h") || Is(command, "/?") || Is(command, "help")) {
        request.action = Action::kHelp;
    } else if (Is(command, "--tray")) {
        request.action = Action::kTray;
    } else if (Is(command, "--guard")) {
        // Started by the host itself after an activation (guard.h).
        if (argc < 4 || !ParseDecimal(argv[2], &request.guardedHost) ||
            !ParseDecimal(argv[3], &request.guardedHook) || request.guardedHost == 0) {
            return Invalid("panorela-host: \"--guard\" needs a process id and a hook handle%s\n", "");
        }
        request.action = Action::kGuard;
        expected = 4;
    } else if (Is(command, "activate")) {
        request.action = Action::kActivate;
    } else if (Is(command, "deactivate")) {
        request.action = Action::kDeactivate;
    } else if (Is(command, "status")) {
        request.action = Action::kStatus;
    } else if (Is(command, "quit")) {
        request.action = Action::kQuit;
    } else if (Is(command, "set")) {
        if (argc < 4) {
            return Invalid("panorela-host: \"set\" needs a setting and on or off, for example \"set toolbar on\"%s\n", "");
        }
        request.action = Action::kSet;
        request.setting = FindSetting(argv[2]);
        if (request.setting == kSettingCount) {
            return Invalid("panorela-host: unknown setting \"%s\"; the settings are toolbar, inspector, fullheight and hidewhenactive\n",
                           argv[2]);
        }
        if (Is(argv[3], "on")) {
            request.on = true;
        } else if (!Is(argv[3], "off")) {
            return Invalid("panorela-host: \"%s\" is neither on nor off\n", argv[3]);
        }
        expected = 4;
    } else {
        return Invalid("panorela-host: unknown command \"%s\" (panorela-host --help lists the commands)\n", command);
    }
    if (argc > expected) {
        return Invalid("panorela-host: unexpected argument \"%s\" (panorela-host --help lists the commands)\n",
                       argv[expected]);
    }
    return request;
}

void PrintUsage() {
    WriteOut(
        "Panorela " PNR_VERSION_STRING " host: auto-hides the IDE main window and object inspector.\n"
        "\n"
        "Usage: panorela-host [command]\n"
        "\n"
        "  (no command)            open the settings window\n"
        "  --tray                  start in the notification area, window hidden\n"
        "  activate                activate Panorela (starts the host in the notification area)\n"
        "  deactivate              deactivate Panorela and bring both windows back\n"
        "  set <setting> on|off    change a setting and remember it; settings:\n"
        "        toolbar           hide the IDE main window\n"
        "        inspector         hide the object inspector\n"
        "        fullheight        give the inspector the full screen height\n"
        "        hidewhenactive    hide the inspector even while it is active\n"
        "  status                  print the shared state of the library\n"
        "  quit                    end the running host (deactivates Panorela)\n"
        "  --help                  show this text\n"
        "\n"
        "Exit codes: 0 done, 1 wrong arguments, 2 panorela.dll missing or unloadable,\n"
        "3 panorela.dll lacks Panorela's exports, 4 activation refused, 5 a hook\n"
        "could not be removed, 6 the host did not start or answer, 7 the settings\n"
        "file could not be written, 8 the running host gave up a wait (the activation\n"
        "lock stayed taken, or its guard did not start or end in time) or was busy\n"
        "with another command.\n"
        "\n"
        "Settings are kept in %APPDATA%\\Panorela\\panorela.ini (or panorela.ini beside\n"
        "the program, or the file named by PANORELA_SETTINGS).\n");
}

int RunCommand(const Request& request) {
    switch (request.action) {
    case Action::kHelp: PrintUsage(); return kExitOk;
    case Action::kActivate: return RunActivate();
    case Action::kDeactivate: return RunDeactivate();
    case Action::kSet: return RunSet(request.setting, request.on);
    case Action::kStatus: return RunStatus();
    case Action::kQuit: return RunQuit();
    case Action::kInvalid: PrintError("%s", request.error); return kExitUsage;
    default: return kExitUsage;
    }
}
