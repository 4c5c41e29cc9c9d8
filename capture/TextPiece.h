#pragma once

#include <cstdint>

// A window handle as the capture sees it: only compared, never dereferenced, so the
// capture needs no window system. The program converts its HWND values to this type.
struct OpaqueWindow;
using WindowHandle = const OpaqueWindow*;

// One forwarded piece of listener output.
struct TextPiece {
    WindowHandle source;   // the window that received the text
    const char* data;      // the text followed by one NUL byte
    std::uint32_t size;    // bytes in data, the NUL included (text length + 1)
};
