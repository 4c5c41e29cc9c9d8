#include "OneInstance.h"

#include "Forwarding.h"

namespace {
// A mutex that exists but may not be opened was made by a Tessoran of higher rights (started
// as administrator: its mutex admits only administrators and the system). One is running.
bool anotherIsRunning(HANDLE mutex) {
    const DWORD error = GetLastError();
    return mutex ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
}
}  // namespace

OneInstance::OneInstance() : mutex(CreateMutexA(nullptr, FALSE, mutexName)), first(!anotherIsRunning(mutex)) {}

OneInstance::~OneInstance() {
    if (mutex) CloseHandle(mutex);
}

// The running program may still be opening its window: it is given two seconds. Nothing here
// waits for the running program's thread, which may be busy or hung: the window is restored
// by a posted request, and finding it and bringing it forward send it no message.
void OneInstance::bringRunningToFront() {
    HWND running = nullptr;
    for (int i = 0; i < 40 && !(running = FindWindowA("#32770", Forwarding::mainWindowCaption)); ++i) Sleep(50);
    if (!running) return;
    if (IsIconic(running)) ShowWindowAsync(running, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(running));
}
