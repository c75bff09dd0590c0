// Window positions and Z order as the placement tests check them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "stand_in.h"

struct Box {
    LONG left, top, right, bottom;
};

inline ::testing::AssertionResult At(HWND wnd, const Box& expected) {
    RECT r = {};
    if (!GetWindowRect(wnd, &r)) return ::testing::AssertionFailure() << "no such window";
    if (r.left == expected.left && r.top == expected.top && r.right == expected.right &&
        r.bottom == expected.bottom) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "window at (" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom
           << "), expected (" << expected.left << ", " << expected.top << ", " << expected.right
           << ", " << expected.bottom << ")";
}

// Z order read from Windows' own list, not from what X shows.
inline bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        if (w == upper) return true;
    }
    return false;
}

inline ::testing::AssertionResult TopmostVisible(HWND wnd) {
    for (HWND w = GetWindow(wnd, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        if (!IsWindowVisible(w)) continue;
        char name[64] = {}, caption[64] = {};
        GetClassNameA(w, name, sizeof name);
        GetWindowTextA(w, caption, sizeof caption);
        return ::testing::AssertionFailure()
               << "below the visible window \"" << caption << "\" of class " << name;
    }
    if (!IsWindowVisible(wnd)) return ::testing::AssertionFailure() << "not visible";
    return ::testing::AssertionSuccess();
}

// Waits up to a second for a condition that another process brings about.
template <class Condition>
bool WaitFor(Condition condition) {
    for (int i = 0; i < 50; ++i) {
        if (condition()) return true;
        PumpFor(20);
    }
    return condition();
}

// Set-up moves for a test. Under Wine a window of another process can be
// restacked once more after such a call returns, as X catches up with
// overlapping windows, so each waits until the window has settled.
inline bool MoveTo(HWND wnd, const Box& b) {
    SetWindowPos(wnd, nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return WaitFor([&] { return static_cast<bool>(At(wnd, b)); });
}

inline bool Raise(HWND wnd) {
    SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return WaitFor([&] { return static_cast<bool>(TopmostVisible(wnd)); });
}

// A handle that once named a window and names none now.
inline HWND StaleHandle() {
    HWND wnd = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    DestroyWindow(wnd);
    return wnd;
}

inline uint32_t Value(HWND wnd) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(wnd)); }
