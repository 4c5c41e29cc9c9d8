#pragma once

// The hook library's exports, by name and undecorated.
#ifdef TESSOLINK_BUILD
#define TESSOLINK_API extern "C" __declspec(dllexport)
#else
#define TESSOLINK_API extern "C" __declspec(dllimport)
#endif

// Replaces this process's hook by a WH_CALLWNDPROC hook on thread threadId; true when
// installed. Thread id 0 installs nothing and returns false.
TESSOLINK_API bool SetHook(unsigned long threadId);
// Removes this process's hook, if any.
TESSOLINK_API void RemoveHook();
