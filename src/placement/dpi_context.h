// Runs an operation on an IDE window in that window's DPI context. Windows
// answers every coordinate question in the calling thread's context, and
// our hooks run in processes of every DPI awareness; the IDE is an old
// program that Windows virtualises. Inside the scope the rectangles, the
// monitors and the placement are all the IDE's own pixels, whichever
// process the hook runs in, and the hook's point is brought into them.
#pragma once

#include <windows.h>
#include <stdint.h>

class WindowDpiScope {
public:
    // Switches this thread to `wnd`'s context where the two differ. Before
    // Windows 10 1607, and in the IDE's own process, it changes nothing.
    explicit WindowDpiScope(HWND wnd);
    // Restores the thread's own context.
    ~WindowDpiScope();
    WindowDpiScope(const WindowDpiScope&) = delete;
    WindowDpiScope& operator=(const WindowDpiScope&) = delete;

    // A point read in the thread's own context (a hook's MOUSEHOOKSTRUCT),
    // in the window's.
    POINT FromThread(POINT pt) const;

private:
    DPI_AWARENESS_CONTEXT previous_ = nullptr;  // null: nothing switched
    int32_t threadDpi_ = 0;
    int32_t windowDpi_ = 0;
};
