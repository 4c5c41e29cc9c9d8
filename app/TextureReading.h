#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "DiskFiles.h"
#include "MeshModel.h"
#include "MeshTextures.h"

// Reads the textures of the mesh the view shows on a thread of its own, so that the window,
// and the listener waiting for its pieces to be taken, never wait for a texture file. When
// they are read it posts the window a message; the window then collects them. One reading at
// a time: a request while one runs is taken up when it ends, the last one only.
class TextureReading {
public:
    explicit TextureReading(UINT readMessage) : message(readMessage) {}
    ~TextureReading();
    TextureReading(const TextureReading&) = delete;
    TextureReading& operator=(const TextureReading&) = delete;

    // The model needs its groups' texture indices and its texture list only.
    void request(HWND notify, const std::string& meshPath, const MeshModel& model);
    // At the message: true with the textures read for the last request; false while a later
    // one is still to be read (it starts now).
    bool collect(std::vector<TextureSlot>& slots, std::string& notDrawn);
    // The window is gone: waits for a reading that runs and forgets it. True when one was
    // asked for and not collected.
    bool abandon();

private:
    struct Job {
        HWND notify = nullptr;
        std::string meshPath;
        MeshModel model;
    };
    static unsigned __stdcall run(void* self);
    void start();
    void waitForThread();

    const UINT message;
    HANDLE thread = nullptr;
    bool pending = false;
    bool ready = false;  // the thread has read what it was asked for
    Job next, current;
    // Touched by the thread alone while it runs.
    MeshTextures textures;
    DiskFiles disk;
    std::vector<TextureSlot> slots;
    std::string notDrawn;
};
