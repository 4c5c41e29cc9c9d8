#include "TextureReading.h"

#include <process.h>

#include <utility>

namespace {

// What the thread needs of a model: the groups' texture indices and the list.
MeshModel textureUsers(const MeshModel& model) {
    MeshModel users;
    users.loads = model.loads;
    users.textures = model.textures;
    users.groups.resize(model.groups.size());
    for (std::size_t i = 0; i < model.groups.size(); ++i) users.groups[i].texture = model.groups[i].texture;
    return users;
}

}  // namespace

TextureReading::~TextureReading() { waitForThread(); }

void TextureReading::waitForThread() {
    if (!thread) return;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    thread = nullptr;
}

void TextureReading::request(HWND notify, const std::string& meshPath, const MeshModel& model) {
    next = {notify, meshPath, textureUsers(model)};
    pending = true;
    if (!thread) start();
}

// The thread owns current, textures, slots and notDrawn until it has posted its message.
void TextureReading::start() {
    current = std::move(next);
    pending = false;
    ready = false;
    unsigned id = 0;
    thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &TextureReading::run, this, 0, &id));
    if (!thread) {  // no thread to be had: read here, once
        run(this);
    }
}

// No exception leaves the thread: what cannot be read is not drawn.
unsigned __stdcall TextureReading::run(void* self) {
    auto& reading = *static_cast<TextureReading*>(self);
    try {
        reading.slots = reading.textures.read(reading.current.meshPath, reading.current.model, reading.disk);
        reading.notDrawn = texturesNotDrawn(reading.current.meshPath, reading.current.model, reading.slots);
    } catch (...) {
        reading.slots.clear();
        reading.notDrawn = "textures not drawn: not enough memory";
    }
    reading.ready = true;
    PostMessageA(reading.current.notify, reading.message, 0, 0);
    return 0;
}

bool TextureReading::collect(std::vector<TextureSlot>& read, std::string& text) {
    waitForThread();
    if (pending) {
        start();
        return false;
    }
    if (!ready) return false;  // a message of a reading collected before
    ready = false;
    read = std::move(slots);
    text = std::move(notDrawn);
    slots.clear();
    notDrawn.clear();
    return true;
}

bool TextureReading::abandon() {
    waitForThread();
    const bool uncollected = ready || pending;
    ready = pending = false;
    slots.clear();
    return uncollected;
}
