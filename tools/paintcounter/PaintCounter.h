#pragma once

#include <windows.h>

// Counts the WM_PAINTs of one window of another program, for tests and the grab benchmark:
// hooks on the window's thread see each WM_PAINT, whether the thread's message loop takes
// it from the queue or it is sent by an update-now redraw. The count lives in memory that
// every process with the library loaded shares.
#ifdef PAINT_COUNTER_BUILD
#define PAINT_COUNTER_API extern "C" __declspec(dllexport)
#else
#define PAINT_COUNTER_API extern "C" __declspec(dllimport)
#endif

// Starts counting the paints of target from zero; false when the hooks cannot be set.
PAINT_COUNTER_API bool startCountingPaints(HWND target);
PAINT_COUNTER_API void stopCountingPaints();
PAINT_COUNTER_API LONG paintsCounted();
// From now on, notes when the next paint starts.
PAINT_COUNTER_API void markPaintTime();
// GetTickCount when the first paint after the mark started; 0 while none has.
PAINT_COUNTER_API DWORD firstPaintTickAfterMark();
