#include "LowerRightsPieces.h"

void LowerRightsPieces::letThrough(HWND window, bool through) {
    if (through == letThroughNow) return;
    letThroughNow = through;
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32) return;
    using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
    // MSGFLT_ALLOW and MSGFLT_DISALLOW of the per-window call; MSGFLT_ADD and MSGFLT_REMOVE of
    // the process-wide one have the same values.
    const DWORD action = through ? 1 : 2;
    if (auto perWindow = reinterpret_cast<PerWindow>(
            reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilterEx")))) {
        perWindow(window, WM_COPYDATA, action, nullptr);
    } else if (auto perProcess = reinterpret_cast<PerProcess>(
                   reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")))) {
        perProcess(WM_COPYDATA, action);
    }
}
