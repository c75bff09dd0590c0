// Reads the desktop's monitors into a Desk for the placement decisions.
#pragma once

#include "desk.h"

// Every monitor with its work area, in the calling thread's DPI context.
// Nothing comes from the block: its WorkRight and WorkBottom were measured
// once, in whichever context the process that made them had.
void ReadDesk(Desk* desk);
