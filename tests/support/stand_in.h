// Starts the stand-in IDE in its own process and drives it.
#pragma once

#include <windows.h>

#include <string>

class StandIn {
public:
    // Starts the stand-in and waits for its control window; `arguments` may
    // be "--empty" for a process without IDE windows.
    explicit StandIn(const std::string& arguments = "");
    ~StandIn();
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    bool Started() const { return control_ != nullptr; }
    LRESULT Command(const std::string& line);
    std::string Reply() const;

    HWND Create(const std::string& className, const std::string& caption, int x, int y, int w,
                int h, bool visible = true);
    bool Destroy(HWND wnd);
    // Calls an export inside the stand-in's process; the reply says whether
    // the callee-saved registers survived.
    uint32_t Call(int ordinal, uint32_t eax = 0);
    int MenuItemCount(HWND wnd);
    int MessageCount(HWND wnd, UINT message);
    void Stop();
    DWORD ProcessId() const { return process_ ? GetProcessId(process_) : 0; }
    HANDLE Process() const { return process_; }

private:
    HANDLE process_ = nullptr;
    HWND control_ = nullptr;
    HANDLE replyMapping_ = nullptr;
    const char* reply_ = nullptr;
};

// Handle as the stand-in's commands write it.
std::string Hex(HWND wnd);

// The windows the stand-in creates at start.
HWND FindAppBuilder();
HWND FindEditor();
HWND FindInspector();
HWND FindUtilWindow();

// Lets queued and sent messages of this thread run for `ms` milliseconds.
void PumpFor(DWORD ms);
