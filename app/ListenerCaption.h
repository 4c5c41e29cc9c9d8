#pragma once

// The caption of the modelling program's script listener window, compared as FindWindowA
// compares captions (whole, without regard to case).
inline constexpr char listenerCaption[] = "MAXScript Listener";
