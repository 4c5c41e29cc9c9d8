#include "LowerRightsPieces.h"

#include "MessageFilter.h"

void LowerRightsPieces::letThrough(HWND window, bool through) {
    if (through == letThroughNow) return;
    letThroughNow = through;
    if (!MessageFilter::allowForWindow(window, WM_COPYDATA, through)) MessageFilter::allowForProcess(WM_COPYDATA, through);
}
