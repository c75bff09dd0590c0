// Slides the object inspector off its nearer edge of the work area and back.
// Callers decide whether inspector hiding is on; these only act.
#pragma once

#include <stdint.h>

#include "desk.h"

void HideInspector();
// With `place` set the inspector also goes below the main window, down to the
// bottom of the work area; without it, it only slides back onto the screen.
void ShowInspector(bool place);
// Called on mouse moves with the pointer position and the monitors.
void InspectorEdgeTrigger(const Desk& desk, int32_t x, int32_t y);
