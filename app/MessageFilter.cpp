#include "MessageFilter.h"

namespace {

FARPROC user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? GetProcAddress(user32, name) : nullptr;
}

// MSGFLT_ALLOW and MSGFLT_DISALLOW of the per-window call; MSGFLT_ADD and MSGFLT_REMOVE of the
// process-wide one have the same values.
DWORD action(bool allow) { return allow ? 1 : 2; }

}  // namespace

bool MessageFilter::allowForWindow(HWND window, UINT message, bool allow) {
    using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    auto perWindow = reinterpret_cast<PerWindow>(reinterpret_cast<void*>(user32Function("ChangeWindowMessageFilterEx")));
    if (!perWindow) return false;
    perWindow(window, message, action(allow), nullptr);
    return true;
}

bool MessageFilter::allowForProcess(UINT message, bool allow) {
    using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
    auto perProcess = reinterpret_cast<PerProcess>(reinterpret_cast<void*>(user32Function("ChangeWindowMessageFilter")));
    if (!perProcess) return false;
    perProcess(message, action(allow));
    return true;
}
