#pragma once

#include <windows.h>

// Windows drops some messages that a process of lower rights (integrity) sends to one of
// higher rights, such as Tessoran run as administrator. These let one message through, or
// keep it out again; both calls are looked up at run time. False when the system has no such
// call (Windows before Vista, some Wine versions), which then filters nothing.
namespace MessageFilter {

// For one window (Windows 7 and later).
bool allowForWindow(HWND window, UINT message, bool allow);
// For every window of the process (Vista's form).
bool allowForProcess(UINT message, bool allow);

}  // namespace MessageFilter
