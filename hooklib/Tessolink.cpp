// The hook library. Loaded into the program, where SetHook and RemoveHook run, and by
// Windows into the listener's process, where hookProcedure copies the text of every
// EM_REPLACESEL and sends it to the program's main window.
//
// It runs inside someone else's program, so it carries no runtime library at all: no C or
// C++ runtime, no exceptions, its own entry point, memory from the process heap.
#include <windows.h>

#include "Forwarding.h"
#include "Tessolink.h"

namespace {

// Per-process state: in the program the hook and module handles are used, in the listener's
// process only the cached main window.
HHOOK hookHandle = nullptr;
HINSTANCE moduleHandle = nullptr;
HWND mainWindow = nullptr;
// Per thread: the message this library's hook procedure is passing on to the next hook.
DWORD passingOnSlot = TLS_OUT_OF_INDEXES;

unsigned long textLength(const char* text) {
    unsigned long n = 0;
    while (text[n] != '\0') ++n;
    return n;
}

HWND findMainWindow() { return mainWindow = FindWindowA(nullptr, Forwarding::mainWindowCaption); }

// Synchronous: the listener waits until the program has the piece in its file (it replies
// then), which keeps the pieces in order and lets the copy go right after. False only when
// the window is gone. The last error alone does not tell: while the listener's thread waits
// in the send it handles messages other threads send to it, and their code may leave
// ERROR_INVALID_WINDOW_HANDLE set although the piece arrived.
bool sendPiece(HWND receiver, HWND target, COPYDATASTRUCT& data) {
    SetLastError(ERROR_SUCCESS);
    SendMessageA(receiver, Forwarding::message, reinterpret_cast<WPARAM>(target), reinterpret_cast<LPARAM>(&data));
    return GetLastError() != ERROR_INVALID_WINDOW_HANDLE || IsWindow(receiver);
}

// The main window is looked up on first need and kept; a send that finds it gone (the program
// was closed and started again) looks it up once more and sends again. So a piece costs one
// send and nothing else.
void forwardText(HWND target, const char* text) {
    if (mainWindow == nullptr && findMainWindow() == nullptr) {
        RemoveHook();  // holds no hook in the listener's process: only clears the handle
        return;
    }
    const unsigned long size = textLength(text) + 1;
    char* copy = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size));
    if (copy == nullptr) return;
    for (unsigned long i = 0; i < size; ++i) copy[i] = text[i];

    COPYDATASTRUCT data;
    data.dwData = Forwarding::dataId;
    data.cbData = size;
    data.lpData = copy;
    if (!sendPiece(mainWindow, target, data) && findMainWindow() != nullptr) sendPiece(mainWindow, target, data);
    HeapFree(GetProcessHeap(), 0, copy);
}

bool isSameMessage(const CWPSTRUCT& a, const CWPSTRUCT& b) {
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam;
}

// A hook outlives the program that set it in some systems (Wine keeps a hook set on another
// process's thread after that process has ended), so several hooks of this library may stand
// in the listener thread's chain. Each of them runs this procedure, from inside the previous
// one's CallNextHookEx; only the outermost forwards, so every piece reaches the program once.
LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam) {
    // The listener thread's last error, taken before any call (TlsGetValue clears it): every
    // path hands it on to the next hook as it came.
    const DWORD lastError = GetLastError();
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code != HC_ACTION || message == nullptr || message->hwnd == nullptr || message->message != EM_REPLACESEL ||
        message->lParam == 0)
        return CallNextHookEx(nullptr, code, wParam, lParam);

    auto* outer = static_cast<CWPSTRUCT*>(TlsGetValue(passingOnSlot));
    if (outer != nullptr && isSameMessage(*outer, *message)) {
        SetLastError(lastError);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    forwardText(message->hwnd, reinterpret_cast<const char*>(message->lParam));
    CWPSTRUCT passingOn = *message;
    TlsSetValue(passingOnSlot, &passingOn);
    SetLastError(lastError);
    const LRESULT result = CallNextHookEx(nullptr, code, wParam, lParam);
    const DWORD afterNextHooks = GetLastError();
    TlsSetValue(passingOnSlot, outer);
    SetLastError(afterNextHooks);
    return result;
}

}  // namespace

TESSOLINK_API bool SetHook(unsigned long threadId) {
    RemoveHook();
    if (threadId == 0) return false;
    hookHandle = SetWindowsHookExA(WH_CALLWNDPROC, hookProcedure, moduleHandle, threadId);
    return hookHandle != nullptr;
}

TESSOLINK_API void RemoveHook() {
    if (hookHandle != nullptr) UnhookWindowsHookEx(hookHandle);
    hookHandle = nullptr;
}

// The entry point in place of a runtime's: keeps the module handle, on every call, and the
// thread slot for the life of the process. Without a slot every hook forwards, as before.
extern "C" BOOL WINAPI TessolinkEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    moduleHandle = instance;
    if (reason == DLL_PROCESS_ATTACH) passingOnSlot = TlsAlloc();
    if (reason == DLL_PROCESS_DETACH && passingOnSlot != TLS_OUT_OF_INDEXES) TlsFree(passingOnSlot);
    return TRUE;
}
