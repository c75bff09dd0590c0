// Slides the IDE main window up to a strip and back. Callers decide whether
// tool-bar hiding is on; these only act.
#pragma once

#include <stdint.h>

#include "desk.h"

void HideToolBar();
void ShowToolBar();
// Called on mouse moves with the pointer position and the monitors.
void ToolBarEdgeTrigger(const Desk& desk, int32_t x, int32_t y);
