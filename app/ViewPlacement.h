#pragma once

#include <windows.h>

// Where a new window goes beside its owner on the owner's monitor, without covering it: on
// the first side (right, left, below, above) where it fits whole, else on the side with the
// most room, made smaller down to least; where no side has that much room, in the monitor's
// bottom right corner.
RECT placeBeside(HWND owner, SIZE wanted, SIZE least);
