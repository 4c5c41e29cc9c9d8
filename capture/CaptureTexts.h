#pragma once

#include <string_view>

// The fixed texts of the capture and the Grab command, compared and written byte for byte.
namespace CaptureTexts {

inline constexpr std::string_view startMarker = "MSHX1";
inline constexpr std::string_view endMarker = "---------X8--------snip-----------------X8-----------";
// Index of the end marker's first "X", the byte its search looks for first.
inline constexpr std::size_t endMarkerAnchor = 9;

inline constexpr const char* waitingNotice = "Waiting for *.msh file start...\r\n";
inline constexpr const char* startNotice = "Grabbing... ";
inline constexpr const char* progressSuffix = " Lines read";
inline constexpr const char* endNotice = "\r\nDone\r\n\r\n";
inline constexpr const char* failureNotice = "\r\nError ! File could not be written.\r\n\r\n";
inline constexpr const char* openFailure = "Error ! File could not be opened.\r\n";

// The Grab command's steps.
inline constexpr const char* listenerNotFound = "Error ! gmax MAXScript Listener window not found.\r\n";
inline constexpr const char* listenerFound = "gmax MAXScript Listener window found.\r\n";
inline constexpr const char* hookFailure = "Error ! Windows Hook could not be set.\r\n";

}  // namespace CaptureTexts
