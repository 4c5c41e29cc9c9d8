#pragma once

#include <windows.h>

// A window class of the program's own: its name, its procedure and its background (none: the
// window paints all of itself).
struct OwnWindowClass {
    const char* name;
    WNDPROC procedure;
    HBRUSH background = nullptr;
};

// Creates a window of the class in this module, registering the class first when it is not
// yet; HWND_MESSAGE as parent makes a message-only window.
inline HWND createOwnWindow(const OwnWindowClass& windowClass, const char* caption, DWORD style, RECT place = {0, 0, 50, 50},
                            HWND parent = nullptr) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (!GetClassInfoA(module, windowClass.name, &wc)) {
        wc.lpfnWndProc = windowClass.procedure;
        wc.hInstance = module;
        wc.lpszClassName = windowClass.name;
        wc.hbrBackground = windowClass.background;
        RegisterClassA(&wc);
    }
    return CreateWindowExA(0, windowClass.name, caption, style, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, parent, nullptr, module, nullptr);
}
