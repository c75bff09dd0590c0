#include "resident_host.h"

#include "guard.h"
#include "host_actions.h"
#include "message_pump.h"
#include "paths.h"
#include "pnrCommon.h"
#include "settings_window.h"
#include "version.h"

// ---- The link's client -------------------------------------------------

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
    // Activation waits for the IDE to maximise its editor, and the host's
    // own waits are bounded by less than this.
    if (!SendMessageTimeoutA(host, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                             kLinkReplyWaitMs, &reply)) {
        return kReplyNoAnswer;
    }
    return static_cast<LRESULT>(reply);
}

HWND StartHost(const char* arguments, DWORD* exitCode) {
    *exitCode = STILL_ACTIVE;
    char program[MAX_PATH];
    ProgramPath(program, MAX_PATH);
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

// ---- The resident host -------------------------------------------------

namespace {

// Short: the status line has three lines of room. The lock is held by
// another host activating, or by a guard bringing the windows back.
const char kWaitingForLock[] = "waiting for the activation lock";
const char kLockTimedOut[] = "gave up: the activation lock stayed taken for 10 s";
const char kNoGuard[] = "no guard: it did not start within 5 s";
const char kGuardLingers[] = "the stopped guard did not end within 2 s";

static_assert(kLockWaitMs == 10000 && kGuardStartWaitMs == 5000 && kGuardStopWaitMs == 2000,
              "the notes above name these times");

}  // namespace

// Marks a command under way, so that no other starts inside its waits; once
// it is done, a Quit that came meanwhile goes ahead.
class ResidentHost::BusyScope {
public:
    explicit BusyScope(ResidentHost& host) : host_(host) { host_.busy_ = true; }
    ~BusyScope() {
        host_.busy_ = false;
        host_.Refresh();
        if (host_.quitRequested_ && !host_.ending_) host_.window_->RequestEnd();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    ResidentHost& host_;
};

ResidentHost::ResidentHost(const PanorelaLibrary& library) : library_(library) {
    SettingsPath(settingsPath_, MAX_PATH);
    settings_ = LoadSettings(settingsPath_);
    ApplySettings(library_, settings_);
}

bool ResidentHost::Active() const { return IsActive(library_); }

const char* ResidentHost::Note() const {
    if (waitingForLock_) return kWaitingForLock;
    if (Active()) return guardMissing_ ? kNoGuard : nullptr;
    return inactiveNote_;
}

void ResidentHost::Refresh() {
    if (window_) window_->Refresh();
}

void ResidentHost::SaveSettingsNow() {
    settingsUnsaved_ = !SaveSettings(settingsPath_, settings_);
}

void ResidentHost::ChangeSetting(SettingId id, bool on) {
    settings_.value[id] = on;
    ApplySetting(library_, id, on);
    SaveSettingsNow();
    Refresh();
}

void ResidentHost::AdoptBlockModes() {
    bool changed = false;
    for (int id = 0; id < kSettingCount; ++id) {
        const bool inBlock = BlockSetting(library_, static_cast<SettingId>(id));
        if (inBlock != settings_.value[id]) {
            settings_.value[id] = inBlock;
            changed = true;
        }
    }
    if (changed) SaveSettingsNow();
    Refresh();
}

// Takes the activation lock: 0 once it is ours, else kWaitTimedOut or
// kWaitGaveUp (the host is ending).
int ResidentHost::TakeLock(HANDLE mutex) {
    const DWORD now = WaitForSingleObject(mutex, 0);
    if (now == WAIT_OBJECT_0 || now == WAIT_ABANDONED) return 0;
    waitingForLock_ = true;
    Refresh();
    const int got = WaitDispatching(&mutex, 1, kLockWaitMs, window_->Handle(), &quitRequested_);
    waitingForLock_ = false;
    return got;
}

LinkReply ResidentHost::Activate() {
    if (busy_) return kReplyBusy;
    BusyScope busy(*this);
    ApplySettings(library_, settings_);
    // Not while the guard of a host that ended restores, nor while another
    // host activates.
    HANDLE lock = CreateMutexA(nullptr, FALSE, kActivationMutexName);
    if (lock) {
        const int got = TakeLock(lock);
        if (got != 0) {
            CloseHandle(lock);
            if (got == kWaitGaveUp) return kReplyEnding;
            inactiveNote_ = kLockTimedOut;
            return kReplyLockTimedOut;
        }
    }
    // Active, but not through us: a host that ended left its hooks behind
    // (or, on Windows, handles of hooks the system removed with its thread).
    // Remove them, leaving the windows where they are, and install our own.
    if (!ownHooks_ && Active()) library_.UnHookHooks(false);
    const Activation result = ::Activate(library_);
    LinkReply reply = kReplyDone;
    if (result == Activation::kActive) {
        ownHooks_ = true;
        inactiveNote_ = nullptr;
        // Without a guard the activation stands: only a death of this host
        // would then leave the windows hidden.
        guardMissing_ = !StartGuard();
        if (guardMissing_) reply = kReplyNoGuard;
    } else {
        inactiveNote_ = ActivationText(result);
        reply = result == Activation::kNoIde ? kReplyNoIde : kReplyHooksRefused;
    }
    if (lock) {
        ReleaseMutex(lock);
        CloseHandle(lock);
    }
    return reply;
}

LinkReply ResidentHost::Deactivate() {
    if (busy_) return kReplyBusy;
    BusyScope busy(*this);
    inactiveNote_ = nullptr;
    // While inactive, UnHookHooks would still delete system-menu positions
    // recorded at an earlier activation: call it only with hooks in place.
    LinkReply reply = kReplyDone;
    if (Active()) {
        if (library_.UnHookHooks(true)) {
            ownHooks_ = false;
            guardMissing_ = false;
            if (!StopGuard(true)) {
                inactiveNote_ = kGuardLingers;
                reply = kReplyGuardLingers;
            }
        } else {
            reply = kReplyHooksStuck;
        }
    }
    return reply;
}

void ResidentHost::Quit() {
    if (ending_) return;
    quitRequested_ = true;
    if (!busy_) window_->RequestEnd();
}

bool ResidentHost::End() {
    if (busy_) return false;
    ending_ = true;
    BusyScope busy(*this);
    // Hooks die with this thread anyway; UnHookHooks also brings both windows back.
    if (ownHooks_ && Active()) library_.UnHookHooks(true);
    ownHooks_ = false;
    StopGuard(true);
    return true;
}

void ResidentHost::ReleaseWithoutWaiting() {
    if (ownHooks_ && Active()) library_.UnHookHooks(true);
    ownHooks_ = false;
    if (guardStop_) SetEvent(guardStop_);
    quitRequested_ = true;  // a wait under way gives up
}

// Starts a guard for this process and this activation unless one guards it
// already. True once the guard waits on this process: a host killed right
// after activating is guarded too.
bool ResidentHost::StartGuard() {
    if (guardProcess_ && WaitForSingleObject(guardProcess_, 0) == WAIT_TIMEOUT) return true;
    StopGuard(false);
    const DWORD self = GetCurrentProcessId();
    guardStop_ = OpenGuardEvent("STOP", self);
    HANDLE armed = OpenGuardEvent("ARMED", self);
    char program[MAX_PATH];
    bool started = guardStop_ && armed && ProgramPath(program, MAX_PATH);
    if (started) {
        // A guard stopped earlier may not have ended yet and can keep these
        // events alive, still set.
        ResetEvent(guardStop_);
        ResetEvent(armed);
        char commandLine[MAX_PATH + 64];
        wsprintfA(commandLine, "\"%s\" --guard %lu %lu", program, static_cast<unsigned long>(self),
                  static_cast<unsigned long>(library_.State()->MouseHook));
        // No console and nothing inherited: the guard holds nothing of the host's.
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        started = CreateProcessA(program, commandLine, nullptr, nullptr, FALSE,
                                 DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr,
                                 &startup, &process) != FALSE;
        if (started) {
            CloseHandle(process.hThread);
            guardProcess_ = process.hProcess;
            const HANDLE waits[2] = {armed, guardProcess_};
            started = WaitDispatching(waits, 2, kGuardStartWaitMs, window_->Handle(), &quitRequested_) == 0;
        }
    }
    if (armed) CloseHandle(armed);
    if (!started) StopGuard(true);
    return started;
}

// Ends the guard without it acting. With `wait`, waits for its process to
// end; false if it had not ended by then.
bool ResidentHost::StopGuard(bool wait) {
    bool ended = true;
    if (guardStop_) SetEvent(guardStop_);
    if (guardProcess_) {
        if (wait) ended = WaitDispatching(&guardProcess_, 1, kGuardStopWaitMs, window_->Handle(), nullptr) == 0;
        CloseHandle(guardProcess_);
        guardProcess_ = nullptr;
    }
    if (guardStop_) {
        CloseHandle(guardStop_);
        guardStop_ = nullptr;
    }
    return ended;
}

LRESULT ResidentHost::Serve(const COPYDATASTRUCT* data) {
    if (data->dwData != kLinkMagic || data->cbData == 0 || data->cbData > 128) return kReplyBadCommand;
    char command[129];
    CopyMemory(command, data->lpData, data->cbData);
    command[data->cbData] = '\0';
    return RunLinkCommand(command);
}

// One-line commands: activate, deactivate, show, quit, "set <word> <0|1>".
LinkReply ResidentHost::RunLinkCommand(const char* command) {
    if (lstrcmpA(command, "activate") == 0) return Activate();
    if (lstrcmpA(command, "deactivate") == 0) return Deactivate();
    if (lstrcmpA(command, "show") == 0) {
        window_->Show();
        return kReplyDone;
    }
    if (lstrcmpA(command, "quit") == 0) {
        Quit();
        return kReplyDone;
    }
    char word[32] = {};
    const char* p = command;
    if (p[0] != 's' || p[1] != 'e' || p[2] != 't' || p[3] != ' ') return kReplyBadCommand;
    p += 4;
    int length = 0;
    while (*p && *p != ' ' && length < 31) word[length++] = *p++;
    if (*p != ' ' || (p[1] != '0' && p[1] != '1') || p[2] != '\0') return kReplyBadCommand;
    const SettingId id = FindSetting(word);
    if (id == kSettingCount) return kReplyBadCommand;
    ChangeSetting(id, p[1] == '1');
    return kReplyDone;
}

int RunResidentHost(const PanorelaLibrary& library, bool showWindow) {
    ResidentHost host(library);
    ResidentWindow* window = CreateSettingsWindow(host, showWindow);
    if (!window) return 1;
    // The hooks' procedures for processes of the other bitness run in this
    // thread, which must keep dispatching for as long as the hooks are in place.
    RunMessageLoop(window->Handle());
    return 0;
}
