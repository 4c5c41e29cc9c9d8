#pragma once

// Where the mesh capture stands. The values are fixed: they show up in test output and logs.
enum class CaptureState : int {
    Idle = 0,      // no capture armed; every piece is ignored
    Waiting = 1,   // file open; waiting for the piece that starts the mesh
    Grabbing = 2,  // every piece goes to the file until the end marker
};
