#include "stand_in.h"

#include <cstdio>
#include <sstream>

#include "program.h"
#include "stand_in_protocol.h"

std::string Hex(HWND wnd) {
    char text[16];
    snprintf(text, sizeof text, "%lx", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(wnd)));
    return text;
}

StandIn::StandIn(const std::string& arguments) {
    // Only one stand-in at a time: wait for an earlier one to be gone.
    for (DWORD i = 0; i < Slowed(100) && FindWindowA(kControlClass, nullptr); ++i) Sleep(50);
    process_ = StartProgram("stand_in_ide.exe " + arguments);
    if (!process_) return;
    for (DWORD i = 0; i < Slowed(200) && !control_; ++i) {
        Sleep(50);
        control_ = FindWindowA(kControlClass, nullptr);
    }
    replyMapping_ = OpenFileMappingA(FILE_MAP_READ, FALSE, kReplyMappingName);
    if (replyMapping_) {
        reply_ = static_cast<const char*>(MapViewOfFile(replyMapping_, FILE_MAP_READ, 0, 0, kReplySize));
    }
}

StandIn::~StandIn() { Stop(); }

void StandIn::Stop() {
    if (process_) {
        if (control_) Command("quit");
        if (WaitForSingleObject(process_, Slowed(10000)) != WAIT_OBJECT_0) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, Slowed(5000));
        }
        CloseHandle(process_);
        process_ = nullptr;
    }
    control_ = nullptr;
    if (reply_) UnmapViewOfFile(reply_);
    if (replyMapping_) CloseHandle(replyMapping_);
    reply_ = nullptr;
    replyMapping_ = nullptr;
}

LRESULT StandIn::Command(const std::string& line) {
    if (!control_) return -3;
    COPYDATASTRUCT data = {};
    data.cbData = static_cast<DWORD>(line.size());
    data.lpData = const_cast<char*>(line.data());
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(control_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                             SMTO_NORMAL, Slowed(20000), &result)) {
        return -4;
    }
    return static_cast<LRESULT>(result);
}

std::string StandIn::Reply() const { return reply_ ? std::string(reply_) : std::string(); }

HWND StandIn::Create(const std::string& className, const std::string& caption, int x, int y,
                     int w, int h, bool visible) {
    std::ostringstream line;
    line << "create " << className << ' ' << x << ' ' << y << ' ' << w << ' ' << h << ' '
         << (visible ? 1 : 0) << ' ' << caption;
    return reinterpret_cast<HWND>(Command(line.str()));
}

bool StandIn::Destroy(HWND wnd) { return Command("destroy " + Hex(wnd)) != 0; }

uint32_t StandIn::Call(int ordinal, uint32_t eax) {
    char line[64];
    snprintf(line, sizeof line, "call %d %lx", ordinal, static_cast<unsigned long>(eax));
    return static_cast<uint32_t>(Command(line));
}

int StandIn::MenuItemCount(HWND wnd) { return static_cast<int>(Command("menu " + Hex(wnd))); }

int StandIn::MessageCount(HWND wnd, UINT message) {
    return static_cast<int>(Command("count " + Hex(wnd) + " " + std::to_string(message)));
}

HWND FindAppBuilder() { return FindWindowA("TAppBuilder", nullptr); }
HWND FindEditor() { return FindWindowA("TEditWindow", nullptr); }
HWND FindInspector() { return FindWindowA("TPropertyInspector", nullptr); }
HWND FindUtilWindow() { return FindWindowA("TPUtilWindow", nullptr); }

void PumpFor(DWORD ms) {
    const DWORD end = GetTickCount() + Slowed(ms);
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (static_cast<LONG>(GetTickCount() - end) < 0);
}
