// The resident host: the copy of panorela-host that keeps the library's hooks
// alive, since hooks die with the thread that installed them. It activates
// and deactivates, takes over from a host that ended while active, starts
// and stops the guard (guard.h) and serves the link through which another
// copy of the program hands it a command; the link's client side is here too.
//
// The resident host runs on its message thread, which must never stop
// dispatching (message_pump.h): every wait it makes dispatches messages and
// has a time limit. A wait that runs out says so in the status line and in
// the reply to the command, which gives the command's exit code.
#pragma once

#include <windows.h>

#include "library_binding.h"
#include "settings_file.h"

// How long the resident host waits for the activation lock (another host's
// activation, or a guard bringing the windows back), for a new guard to be
// armed and for a stopped guard to end. The link's client allows for all of
// them in one command.
constexpr DWORD kLockWaitMs = 10000;
constexpr DWORD kGuardStartWaitMs = 5000;
constexpr DWORD kGuardStopWaitMs = 2000;
constexpr DWORD kLinkReplyWaitMs = 30000;

// The link: WM_COPYDATA with a one-line text command in, a reply code out.
constexpr ULONG_PTR kLinkMagic = 0x484E5250;  // "PNRH"

enum LinkReply : LRESULT {
    kReplyNoAnswer = 0,  // SendMessage failed or timed out
    kReplyDone = 1,
    kReplyNoIde = 2,
    kReplyHooksRefused = 3,
    kReplyHooksStuck = 4,
    kReplyBadCommand = 5,
    kReplyLockTimedOut = 6,  // not activated: the activation lock stayed taken
    kReplyNoGuard = 7,       // active, but no guard was armed in time
    kReplyGuardLingers = 8,  // inactive, but the stopped guard did not end in time
    kReplyBusy = 9,          // another activation or deactivation is under way
    kReplyEnding = 10,       // the host is ending; the activation was given up
};

// The link's client, for the command line. It runs in a short-lived process
// without windows, whose waits hold up nobody.

// Caption of the settings window: a host of this version answers commands.
void WindowCaption(char* caption, int size);
HWND FindRunningHost();
LRESULT SendToHost(HWND host, const char* command);
// Starts this program again with `arguments`, detached from any console, and
// waits until its window exists; nullptr when it ended or did not appear.
HWND StartHost(const char* arguments, DWORD* exitCode);
// Asks the running host to end and waits for its process to be gone.
bool QuitHost(HWND host);

// What the resident host asks of its window.
class ResidentWindow {
public:
    virtual HWND Handle() const = 0;
    virtual void Show() = 0;
    // The settings or the state changed: check boxes, buttons and status line follow.
    virtual void Refresh() = 0;
    // Has the host end soon, from the message loop (ResidentHost::End).
    virtual void RequestEnd() = 0;

protected:
    ~ResidentWindow() = default;
};

class ResidentHost {
public:
    // Loads the settings file and puts its settings into the block.
    explicit ResidentHost(const PanorelaLibrary& library);
    ResidentHost(const ResidentHost&) = delete;
    ResidentHost& operator=(const ResidentHost&) = delete;
    void Attach(ResidentWindow& window) { window_ = &window; }

    // The commands, from the window or the link.
    LinkReply Activate();
    LinkReply Deactivate();
    void ChangeSetting(SettingId id, bool on);
    // Ends the host: deactivates and closes the window, once any command
    // under way is done (a wait for the lock gives up at once).
    void Quit();
    // Run by the window when Quit asks for it; false while a command is
    // under way (the host asks again once it is done).
    bool End();
    // The session ends or the window goes: unhooks and stops the guard
    // without waiting for anything.
    void ReleaseWithoutWaiting();
    // A chord or the system-menu command in the IDE flips a mode in the
    // block; the settings file follows so that the next run starts the same way.
    void AdoptBlockModes();
    // A WM_COPYDATA of the link; returns the reply.
    LRESULT Serve(const COPYDATASTRUCT* data);

    // What the window shows.
    bool Active() const;
    bool Busy() const { return busy_; }
    // What the status line adds to "active" or "inactive", or nullptr.
    const char* Note() const;
    bool SettingValue(SettingId id) const { return settings_.value[id]; }
    const char* SettingsFile() const { return settingsPath_; }
    bool SettingsUnsaved() const { return settingsUnsaved_; }

private:
    class BusyScope;

    void Refresh();
    void SaveSettingsNow();
    int TakeLock(HANDLE mutex);
    bool StartGuard();
    bool StopGuard(bool wait);
    LinkReply RunLinkCommand(const char* command);

    const PanorelaLibrary& library_;
    ResidentWindow* window_ = nullptr;
    Settings settings_;
    char settingsPath_[MAX_PATH] = {};
    bool settingsUnsaved_ = false;
    bool ownHooks_ = false;        // this process installed the hooks now active
    bool busy_ = false;            // a command is under way (it may be waiting)
    bool waitingForLock_ = false;
    bool quitRequested_ = false;   // Quit came; any wait under way gives up
    bool ending_ = false;
    bool guardMissing_ = false;    // active without a guard
    const char* inactiveNote_ = nullptr;  // why the last command left the library inactive
    HANDLE guardProcess_ = nullptr;
    HANDLE guardStop_ = nullptr;
};

// Runs the resident host with its settings window (shown when `showWindow`)
// until the user or a "quit" command ends it; the library must be loaded
// with all six exports. Returns the program's exit code.
int RunResidentHost(const PanorelaLibrary& library, bool showWindow);
