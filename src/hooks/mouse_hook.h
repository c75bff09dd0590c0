// The system-wide mouse hook: chord toggles and edge tracking.
#pragma once

#include <windows.h>

#include "hooks/chord_machine.h"

// The hook procedure: moves and chord buttons; every other message passes
// on after the tests of hook code and message number.
LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);

// The activity guard: sliding is allowed while either IDE window is enabled
// (no modal dialog of the IDE is up), or while the host's form is in front.
bool CanSlide();
