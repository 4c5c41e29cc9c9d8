#pragma once

#include <string>

#include "Camera.h"
#include "FrameBuffer.h"
#include "MeshModel.h"
#include "MeshRenderer.h"
#include "ViewGeometry.h"

// What the mesh view shows and how it is seen: the mesh as the simulator holds it, the camera,
// the drawing options and the group last clicked. Knows no window system: the window hands
// on its size, keys and mouse, and shows the picture and the texts.
class MeshViewer {
public:
    enum class Content {
        Nothing,      // no mesh yet
        Unreadable,   // the file could not be read
        LoadsNothing, // the simulator loads no mesh from the file
        Mesh,
    };
    enum class Drag { None, Orbit, Pan };

    // What the view can be told to do, besides the mouse's turning, moving and zooming.
    enum class Command {
        StartView,
        LookFromAhead, LookFromBehind, LookFromRight, LookFromLeft, LookFromAbove, LookFromBelow,
        Wireframe,   // on and off
        BackFaces,   // marked magenta, or left out as the simulator does
        Textures,    // the simulator's look, or each group in its diffuse colour
    };

    // A new mesh, seen from the start view; the options stay as they are. The textures are
    // those of the mesh shown before until setTextures. When memory runs out on the way,
    // what was shown stays and false is returned.
    bool show(MeshModel model);
    // The decoded textures by index of the mesh's texture list (owned by the caller, which
    // keeps them while they are shown), what the status line says of those not drawn, and
    // per texture what a click on its group adds (the file read, or why it is not drawn).
    void setTextures(TextureSet set, std::string notDrawn, std::vector<std::string> notes = {});
    void showUnreadable();
    Content content() const { return shown; }
    // What the view says instead of a picture; empty when it shows a mesh.
    std::string message() const;

    // A fitted view the user has not turned, moved or zoomed since is fitted again.
    void resize(int width, int height);
    // Draws the picture into the buffer (as large as the view), with the axis cross.
    void render(FrameBuffer& buffer);

    // True when the picture changes.
    bool command(Command what);
    // Left drag orbits, right drag pans; a left press released where it began is a click,
    // which names the group drawn at that pixel of the last picture (selectedGroup). True
    // when the picture changes.
    void press(Drag kind, int x, int y);
    bool moveTo(int x, int y);
    bool release(int x, int y, const FrameBuffer& lastPicture);
    // The drag ends where it stands (the window lost the mouse).
    void cancelDrag() { dragging = Drag::None; }
    void wheel(int delta);

    // The status line: size and counts (and the textures not drawn), and the group last
    // clicked or what keys and clicks do (empty when no mesh is shown).
    std::string summary() const;
    std::string selection() const;

    const Camera& camera() const { return view; }
    const RenderOptions& options() const { return renderOptions; }
    const ViewGeometry& geometry() const { return drawn; }
    const TextureSet& textures() const { return textureSet; }
    // The mesh shown: its groups' headers and its lists (the vertices are the geometry's).
    const MeshModel& mesh() const { return model; }
    int selectedGroup() const { return selected; }

private:
    // The fitted view shown: 0 the start view, 1 to 6 an axis view; -1 once the user moved it.
    void fit(int fittedView);

    int fitted = -1;
    Content shown = Content::Nothing;
    MeshModel model;
    ViewGeometry drawn;
    Camera view;
    RenderOptions renderOptions;
    MeshRenderer renderer;
    TextureSet textureSet;
    std::string texturesNotDrawn;
    std::vector<std::string> textureNotes;
    int selected = -1;
    Drag dragging = Drag::None;
    int pressX = 0, pressY = 0, lastX = 0, lastY = 0;
    bool moved = false;
};
