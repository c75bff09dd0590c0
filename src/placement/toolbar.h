// Slides the IDE main window up to a strip and back. Callers decide whether
// tool-bar hiding is on; these only act. Each works in the main window's
// DPI context (dpi_context.h).
#pragma once

#include <stdint.h>

void HideToolBar();
void ShowToolBar();
// Called on mouse moves with the pointer as the hook got it, in the calling
// thread's DPI context. The mouse hook sets `cornersStop`: a pointer in a
// top corner square of the work area (measured in the window's context, as
// everything else here) then asks nothing of the window.
void ToolBarEdgeTrigger(int32_t x, int32_t y, bool cornersStop = false);
// Forgets the main window's home monitor (home_memo.h): the desk changed.
void ForgetToolBarHome();
