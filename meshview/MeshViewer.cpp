#include "MeshViewer.h"

#include <cstdlib>
#include <new>
#include <utility>

#include "AxisCross.h"
#include "StatusText.h"
#include "ViewColours.h"

namespace {
// A press that moves no farther than this (pixels) before its release is a click.
constexpr int clickSlack = 3;
}  // namespace

// The geometry and the renderer's buffers are made first: when that fails (no memory), what
// was shown stays.
bool MeshViewer::show(MeshModel loaded) {
    try {
        ViewGeometry geometry = loaded.loads ? makeViewGeometry(loaded) : ViewGeometry{};
        MeshRenderer prepared;
        prepared.prepare(geometry);
        model = std::move(loaded);
        drawn = std::move(geometry);
        renderer = std::move(prepared);
    } catch (const std::bad_alloc&) {
        return false;
    }
    setTextures({}, {});  // the textures of the mesh before belong to its list
    shown = model.loads ? Content::Mesh : Content::LoadsNothing;
    view.setScene(drawn.bounds);
    fit(0);
    selected = -1;
    dragging = Drag::None;
    return true;
}

void MeshViewer::setTextures(TextureSet set, std::string notDrawn, std::vector<std::string> notes) {
    textureSet = std::move(set);
    texturesNotDrawn = std::move(notDrawn);
    textureNotes = std::move(notes);
}

void MeshViewer::showUnreadable() {
    show(MeshModel{});
    shown = Content::Unreadable;
}

std::string MeshViewer::message() const {
    switch (shown) {
    case Content::Nothing:
        return "Nothing to show yet.\n\nGrab a mesh: it shows here when the capture is done.\n"
               "Or drop a mesh file (.msh) here.";
    case Content::Unreadable: return "The file could not be read.";
    case Content::LoadsNothing:
        return "Orbiter loads no mesh from this file.\n\n"
               "Its first line must be exactly MSHX1, and a GROUPS line with the number of groups must follow.";
    case Content::Mesh: break;
    }
    return {};
}

void MeshViewer::resize(int width, int height) {
    view.setViewport(width, height);
    if (fitted >= 0) fit(fitted);
}

void MeshViewer::fit(int fittedView) {
    static constexpr AxisView axisViews[6] = {AxisView::Ahead, AxisView::Behind, AxisView::Right,
                                              AxisView::Left,  AxisView::Above,  AxisView::Below};
    fitted = fittedView;
    if (fittedView == 0) view.startView(drawn.positions);
    else view.lookAlong(axisViews[fittedView - 1], drawn.positions);
}

void MeshViewer::render(FrameBuffer& buffer) {
    if (shown != Content::Mesh) {
        buffer.clear(ViewColours::background);
        return;
    }
    renderer.render(drawn, view, renderOptions, textureSet, buffer);
    drawAxisCross(buffer, view);
}

bool MeshViewer::command(Command what) {
    if (shown != Content::Mesh) return false;
    switch (what) {
    case Command::StartView: fit(0); return true;
    case Command::LookFromAhead:
    case Command::LookFromBehind:
    case Command::LookFromRight:
    case Command::LookFromLeft:
    case Command::LookFromAbove:
    case Command::LookFromBelow:
        fit(1 + static_cast<int>(what) - static_cast<int>(Command::LookFromAhead));
        return true;
    case Command::Wireframe: renderOptions.wireframe = !renderOptions.wireframe; return true;
    case Command::BackFaces: renderOptions.markBackFaces = !renderOptions.markBackFaces; return true;
    case Command::Textures: renderOptions.textures = !renderOptions.textures; return true;
    }
    return false;
}

void MeshViewer::press(Drag kind, int x, int y) {
    dragging = shown == Content::Mesh ? kind : Drag::None;
    pressX = lastX = x;
    pressY = lastY = y;
    moved = false;
}

bool MeshViewer::moveTo(int x, int y) {
    if (dragging == Drag::None) return false;
    if (std::abs(x - pressX) > clickSlack || std::abs(y - pressY) > clickSlack) moved = true;
    if (!moved) return false;
    const int dx = x - lastX, dy = y - lastY;
    lastX = x;
    lastY = y;
    if (dx == 0 && dy == 0) return false;
    if (dragging == Drag::Orbit) view.orbit(dx, dy);
    else view.pan(dx, dy);
    fitted = -1;
    return true;
}

bool MeshViewer::release(int x, int y, const FrameBuffer& lastPicture) {
    const bool changed = moveTo(x, y);
    const bool click = dragging == Drag::Orbit && !moved;
    dragging = Drag::None;
    if (click) selected = lastPicture.groupAt(x, y);
    return changed;
}

void MeshViewer::wheel(int delta) {
    if (shown != Content::Mesh) return;
    view.zoom(delta);
    fitted = -1;
}

std::string MeshViewer::summary() const {
    if (shown != Content::Mesh) return {};
    // The reader's measure, as the check line gives it; a model made otherwise, the view's.
    const MeshExtent& extent = model.extent.any ? model.extent : drawn.extent;
    std::string text = StatusText::summary(extent, drawn.groupCount(), drawn.heldVertices, drawn.heldTriangles);
    if (drawn.pointLike) text += "; all its vertices stand at one point: nothing to see";
    if (renderOptions.textures && !texturesNotDrawn.empty()) text += "; " + texturesNotDrawn;
    return text;
}

std::string MeshViewer::selection() const {
    if (shown != Content::Mesh) return {};
    if (selected < 0) {
        return std::string("Click a face to name its group. Keys: 1-6 axis views, Home start, W wireframe, T ") +
               (renderOptions.textures ? "plain colours" : "textures") + ", Space " +
               (renderOptions.markBackFaces ? "hides the magenta back faces." : "marks back faces magenta.");
    }
    std::string text = StatusText::group(model, static_cast<std::size_t>(selected));
    const int texture = model.groups[static_cast<std::size_t>(selected)].texture;
    if (texture >= 1 && static_cast<std::size_t>(texture) <= textureNotes.size() && !textureNotes[texture - 1].empty())
        text += " (" + textureNotes[static_cast<std::size_t>(texture) - 1] + ")";
    return text;
}
