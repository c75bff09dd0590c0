// Switching the library on and off: the three system-wide hooks, the
// editor's maximisation and the toggle item in the two system menus.
#pragma once

#include <stdint.h>

#include "../exports.h"
