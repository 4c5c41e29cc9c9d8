#include "OneInstance.h"

#include "Forwarding.h"

namespace {
const char* const mutexName = "Local\\Tessoran.OneInstance";
}

OneInstance::OneInstance()
    : mutex(CreateMutexA(nullptr, FALSE, mutexName)), first(!(mutex && GetLastError() == ERROR_ALREADY_EXISTS)) {}

OneInstance::~OneInstance() {
    if (mutex) CloseHandle(mutex);
}

// The running program may still be opening its window: it is given two seconds.
void OneInstance::bringRunningToFront() {
    HWND running = nullptr;
    for (int i = 0; i < 40 && !(running = FindWindowA("#32770", Forwarding::mainWindowCaption)); ++i) Sleep(50);
    if (!running) return;
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(running));
}
