// Reads the desktop's monitors into a Desk for the placement decisions.
#pragma once

#include "desk.h"

// Every monitor with its work area. The primary monitor's work area ends at
// the block's WorkRight and WorkBottom, the edges the host reads and a
// display change measures anew. Needs the block mapped.
void ReadDesk(Desk* desk);
