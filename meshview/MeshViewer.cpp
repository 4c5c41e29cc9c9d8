#include "MeshViewer.h"

#include <cstdlib>
#include <utility>

#include "AxisCross.h"
#include "StatusText.h"
#include "ViewColours.h"

namespace {
// A press that moves no farther than this (pixels) before its release is a click.
constexpr int clickSlack = 3;
}  // namespace

// The geometry is made first: when that fails (no memory), what was shown stays.
void MeshViewer::show(MeshModel loaded) {
    ViewGeometry geometry = loaded.loads ? makeViewGeometry(loaded) : ViewGeometry{};
    model = std::move(loaded);
    shown = model.loads ? Content::Mesh : Content::LoadsNothing;
    drawn = std::move(geometry);
    view.setScene(drawn.bounds);
    fit(0);
    selected = -1;
    dragging = Drag::None;
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
    renderer.render(drawn, view, renderOptions, buffer);
    drawAxisCross(buffer, view);
}

bool MeshViewer::pressKey(unsigned key) {
    if (shown != Content::Mesh) return false;
    if (key >= '1' && key <= '6') {
        fit(static_cast<int>(key - '0'));
        return true;
    }
    switch (key) {
    case keySpace: renderOptions.markBackFaces = !renderOptions.markBackFaces; return true;
    case keyW: renderOptions.wireframe = !renderOptions.wireframe; return true;
    case keyHome: fit(0); return true;
    default: return false;
    }
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
    return shown == Content::Mesh ? StatusText::summary(model, drawn.bounds.size()) : std::string();
}

std::string MeshViewer::selection() const {
    if (shown != Content::Mesh) return {};
    if (selected < 0) {
        return std::string("Click a face to name its group. Keys: 1-6 axis views, Home start, W wireframe, Space ") +
               (renderOptions.markBackFaces ? "hides the magenta back faces." : "marks back faces magenta.");
    }
    return StatusText::group(model, static_cast<std::size_t>(selected));
}
