#pragma once

// What the program and the hook library share: the caption by which the library finds the
// program's main window, and the shape of the message that carries each piece of text.
//
// Each piece travels as WM_COPYDATA (0x004A), sent synchronously to the main window:
//   wParam  the window that received EM_REPLACESEL (normally the listener's output control)
//   lParam  a COPYDATASTRUCT with dwData 0, cbData = text length + 1, lpData = text and NUL.
namespace Forwarding {

inline constexpr char mainWindowCaption[] = "Korvessa";
inline constexpr unsigned int message = 0x004A;  // WM_COPYDATA
inline constexpr unsigned long dataId = 0;        // COPYDATASTRUCT::dwData

}  // namespace Forwarding
