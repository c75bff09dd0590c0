// How the stand-in IDE's windows draw themselves (GDI, in WM_PAINT), so that
// screenshots show a main window with menu, tool bar and component palette,
// a code editor and an object inspector. Everything drawn is the project's
// own.
#pragma once

#include <windows.h>

// Paints `wnd` by its class: TAppBuilder, TEditWindow or TPropertyInspector.
// Returns false for any other class, which keeps the plain background.
bool PaintIdeWindow(HWND wnd, HDC dc);
