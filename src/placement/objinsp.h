// Slides the object inspector off its nearer edge of the work area and back.
// Callers decide whether inspector hiding is on; these only act. Each works
// in the inspector's DPI context (dpi_context.h).
#pragma once

#include <stdint.h>

void HideInspector();
// With `place` set the inspector also goes below the main window, down to the
// bottom of the work area; without it, it only slides back onto the screen.
void ShowInspector(bool place);
// Called on mouse moves with the pointer as the hook got it, in the calling
// thread's DPI context. The mouse hook sets `cornersStop`: a pointer in a
// top corner square of the work area (measured in the window's context, as
// everything else here) then asks nothing of the window.
void InspectorEdgeTrigger(int32_t x, int32_t y, bool cornersStop = false);
// Forgets the inspector's home monitor (home_memo.h): the desk changed.
void ForgetInspectorHome();
