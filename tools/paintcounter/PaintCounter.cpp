#include "PaintCounter.h"

namespace {

// Shared between processes: written in the painting program, read in the counting one.
HWND target __attribute__((section(".shared"), shared)) = nullptr;
volatile LONG paints __attribute__((section(".shared"), shared)) = 0;
volatile LONG marked __attribute__((section(".shared"), shared)) = 0;
volatile DWORD firstTickAfterMark __attribute__((section(".shared"), shared)) = 0;

// Per process: the hooks exist only in the counting process.
HINSTANCE module = nullptr;
HHOOK queueHook = nullptr;
HHOOK sentHook = nullptr;

void count(HWND window, UINT message) {
    if (message != WM_PAINT || window != target) return;
    InterlockedIncrement(&paints);
    if (InterlockedExchange(&marked, 0)) firstTickAfterMark = GetTickCount();
}

// A WM_PAINT that the message loop takes from the queue.
LRESULT CALLBACK queueProcedure(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg) count(msg->hwnd, msg->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A WM_PAINT sent straight to the window (RedrawWindow with RDW_UPDATENOW, UpdateWindow).
LRESULT CALLBACK sentProcedure(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && msg) count(msg->hwnd, msg->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

PAINT_COUNTER_API bool startCountingPaints(HWND window) {
    stopCountingPaints();
    target = window;
    paints = 0;
    marked = 0;
    firstTickAfterMark = 0;
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (thread == 0) return false;
    queueHook = SetWindowsHookExA(WH_GETMESSAGE, queueProcedure, module, thread);
    sentHook = SetWindowsHookExA(WH_CALLWNDPROC, sentProcedure, module, thread);
    return queueHook && sentHook;
}

PAINT_COUNTER_API void stopCountingPaints() {
    if (queueHook) UnhookWindowsHookEx(queueHook);
    if (sentHook) UnhookWindowsHookEx(sentHook);
    queueHook = sentHook = nullptr;
}

PAINT_COUNTER_API LONG paintsCounted() { return paints; }
PAINT_COUNTER_API void markPaintTime() {
    firstTickAfterMark = 0;
    InterlockedExchange(&marked, 1);
}

PAINT_COUNTER_API DWORD firstPaintTickAfterMark() { return firstTickAfterMark; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    module = instance;
    return TRUE;
}
