#include "MeshViewWindow.h"

#include <algorithm>
#include <new>
#include <utility>

#include "GdiBase.h"
#include "MeshFileReading.h"
#include "MessageFilter.h"
#include "ViewPlacement.h"

namespace {

const char* const title = "Mesh View";
constexpr SIZE wantedPicture = {640, 480}, leastWindow = {320, 240};

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int lineHeight() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight > 0 ? metrics.tmHeight : 13;
}

// Windows keeps a drop from Explorer (normal rights) out of a program run as administrator:
// let its three messages through to this window. Only the per-window filter (Windows 7 and
// later, looked up at run time) is used; the process-wide one of Vista would also open the
// main window to WM_COPYDATA from any lower-rights process.
void acceptDropsFromLowerRights(HWND window) {
    constexpr UINT copyGlobalData = 0x0049;  // carries the dropped names between the processes
    for (UINT message : {UINT{WM_DROPFILES}, UINT{WM_COPYDATA}, copyGlobalData})
        MessageFilter::allowForWindow(window, message, true);
}

}  // namespace

MessageMap MeshViewWindow::GetMessageMap() const {
    static constexpr MessageMapEntry entries[] = {
        On::Paint<&MeshViewWindow::OnPaint>(),
        On::EraseBkgnd<&MeshViewWindow::OnEraseBkgnd>(),
        On::Size<&MeshViewWindow::OnSize>(),
        On::GetMinMaxInfo<&MeshViewWindow::OnGetMinMaxInfo>(),
        On::LButtonDown<&MeshViewWindow::OnLButtonDown>(),
        On::LButtonUp<&MeshViewWindow::OnLButtonUp>(),
        On::RButtonDown<&MeshViewWindow::OnRButtonDown>(),
        On::RButtonUp<&MeshViewWindow::OnRButtonUp>(),
        On::MouseMove<&MeshViewWindow::OnMouseMove>(),
        On::MouseWheel<&MeshViewWindow::OnMouseWheel>(),
        On::KeyDown<&MeshViewWindow::OnKeyDown>(),
        On::DropFiles<&MeshViewWindow::OnDropFiles>(),
        On::CaptureChanged<&MeshViewWindow::OnCaptureChanged>(),
        On::Message<texturesReadMessage, &MeshViewWindow::OnTexturesRead>(),
    };
    return entries;
}

// An owned window has no taskbar button and goes with its owner, so it has no minimize box.
void MeshViewWindow::openOrRaise(CWnd* owner) {
    if (m_hWnd) {
        if (::IsIconic(m_hWnd)) ShowWindow(m_hWnd, SW_RESTORE);
        SetForegroundWindow(m_hWnd);
        return;
    }
    const DWORD style = WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX;
    RECT frame = {0, 0, wantedPicture.cx, wantedPicture.cy + statusHeight()};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const RECT place = placeBeside(owner->m_hWnd, {frame.right - frame.left, frame.bottom - frame.top}, leastWindow);
    if (!CreateEx(0, caption().c_str(), style, place, owner)) return;
    DragAcceptFiles();
    acceptDropsFromLowerRights(m_hWnd);
    if (HICON icon = reinterpret_cast<HICON>(owner->SendMessage(WM_GETICON, ICON_SMALL, 0)))
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    ShowWindow(m_hWnd, SW_SHOW);
    UpdateWindow(m_hWnd);
    readTextures();
}

void MeshViewWindow::captureEnded(const std::string& path) { show(path); }

void MeshViewWindow::OnDropFiles(HDROP drop) {
    std::string path(DragQueryFileA(drop, 0, nullptr, 0), '\0');
    const UINT length = path.empty() ? 0 : DragQueryFileA(drop, 0, &path[0], static_cast<UINT>(path.size() + 1));
    DragFinish(drop);
    if (length > 0 && length == path.size()) show(path);
}

// The viewer holds the mesh also while the window is closed. A mesh too large for memory
// leaves the one shown before, and the status line says so.
void MeshViewWindow::show(const std::string& path) {
    notice.clear();
    try {
        MeshModel model;
        if (!readMeshFile(path, model)) viewer.showUnreadable();
        else if (!viewer.show(std::move(model))) notice = "not enough memory to show " + fileNameOf(path);
    } catch (const std::bad_alloc&) {
        notice = "not enough memory to show " + fileNameOf(path);
    }
    if (notice.empty()) {
        shownPath = path;
        textureSlots.clear();
        texturesWanted = viewer.content() == MeshViewer::Content::Mesh;
    }
    readTextures();
    if (!m_hWnd) return;
    SetWindowText(caption().c_str());
    pictureChanged();
}

std::string MeshViewWindow::caption() const {
    return shownPath.empty() ? title : std::string(title) + " - " + fileNameOf(shownPath);
}

// The textures are asked for once the window is there to be told when they are read.
void MeshViewWindow::readTextures() {
    if (!texturesWanted || !m_hWnd) return;
    texturesWanted = false;
    textureReading.request(m_hWnd, shownPath, viewer.mesh());
}

// Textures asked for and not yet shown are asked for again when the window opens again.
void MeshViewWindow::PostNcDestroy() {
    if (textureReading.abandon()) texturesWanted = true;
}

// The slots keep the textures the viewer draws with.
LRESULT MeshViewWindow::OnTexturesRead(WPARAM, LPARAM) {
    std::vector<TextureSlot> slots;
    std::string notDrawn;
    if (!textureReading.collect(slots, notDrawn)) return 0;
    TextureSet set;
    std::vector<std::string> notes;
    for (const TextureSlot& slot : slots) {
        set.push_back(slot.texture.get());
        notes.push_back(slot.texture ? slot.path : slot.problem.empty() ? std::string() : "not drawn: " + slot.problem);
    }
    viewer.setTextures(std::move(set), std::move(notDrawn), std::move(notes));
    textureSlots = std::move(slots);
    pictureChanged();
    return 0;
}

void MeshViewWindow::pictureChanged() {
    pictureCurrent = false;
    InvalidateRect(nullptr);
}

int MeshViewWindow::statusHeight() const { return 2 * lineHeight() + 8; }

// The picture fills the client area above the status line.
void MeshViewWindow::OnSize(UINT type, int width, int height) {
    if (type == SIZE_MINIMIZED) return;
    const int pictureHeight = height - statusHeight();
    bool sized = false;
    if (width > 0 && pictureHeight > 0 && picture.resize(width, pictureHeight)) {
        try {
            buffer.resize(width, pictureHeight, picture.pixels());
            viewer.resize(width, pictureHeight);
            sized = true;
        } catch (const std::bad_alloc&) {  // the picture stays empty until a smaller size
        }
    }
    if (!sized) {
        // The bitmap the buffer drew into is gone: nothing is drawn until a size that fits.
        buffer.resize(0, 0);
        picture.resize(0, 0);
    }
    pictureChanged();
}

void MeshViewWindow::OnGetMinMaxInfo(MINMAXINFO* info) {
    info->ptMinTrackSize.x = 200;
    info->ptMinTrackSize.y = 160 + statusHeight();
}

BOOL MeshViewWindow::OnEraseBkgnd(HDC) { return TRUE; }  // the paint covers every pixel

void MeshViewWindow::OnPaint() {
    CPaintDC paint(this);
    HDC dc = paint.GetSafeHdc();
    RECT client;
    GetClientRect(&client);
    if (!pictureCurrent && buffer.width() > 0) {
        viewer.render(buffer);
        GdiFlush();  // the pixels were written behind the system's back
        pictureCurrent = true;
    }
    picture.copyTo(dc, 0, 0);
    RECT view = client;
    view.bottom = std::max(client.top, client.bottom - statusHeight());
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    paintMessage(dc, view);
    paintStatus(dc, client);
    SelectObject(dc, oldFont);
}

// Instead of a picture: the text in the middle of the view.
void MeshViewWindow::paintMessage(HDC dc, const RECT& view) const {
    const std::string message = viewer.message();
    if (message.empty()) return;
    RECT box = view;
    InflateRect(&box, -16, -16);
    RECT needed = box;
    DrawTextA(dc, message.c_str(), -1, &needed, DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    OffsetRect(&needed, (box.right - needed.right) / 2 - (needed.left - box.left) / 2, 0);
    const int top = box.top + (box.bottom - box.top - (needed.bottom - needed.top)) / 2;
    RECT text = {box.left, top, box.right, top + (needed.bottom - needed.top)};
    SetTextColor(dc, RGB(230, 230, 230));
    DrawTextA(dc, message.c_str(), -1, &text, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}

// Two lines: the size and counts (or the file that shows no mesh), and the group last
// clicked or what the keys do.
void MeshViewWindow::paintStatus(HDC dc, const RECT& client) const {
    RECT status = client;
    status.top = std::max(client.top, client.bottom - statusHeight());
    FillRect(dc, &status, GetSysColorBrush(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const std::string shown = viewer.content() == MeshViewer::Content::Mesh ? viewer.summary() : shownPath;
    const std::string first = notice.empty() ? shown : notice + (shown.empty() ? "" : "; shown: " + shown);
    const std::string second = viewer.selection();
    const int line = lineHeight();
    ExtTextOutA(dc, 6, status.top + 4, ETO_CLIPPED, &status, first.c_str(), static_cast<UINT>(first.size()), nullptr);
    ExtTextOutA(dc, 6, status.top + 4 + line, ETO_CLIPPED, &status, second.c_str(), static_cast<UINT>(second.size()),
                nullptr);
}

void MeshViewWindow::beginDrag(MeshViewer::Drag kind, POINT point) {
    SetCapture(m_hWnd);
    viewer.press(kind, point.x, point.y);
}

// A click names a group: only the status line changes.
void MeshViewWindow::endDrag(POINT point) {
    const int selected = viewer.selectedGroup();
    const bool moved = viewer.release(point.x, point.y, buffer);
    if (GetCapture() == m_hWnd) ReleaseCapture();
    if (moved) pictureChanged();
    else if (viewer.selectedGroup() != selected) InvalidateRect(nullptr);
}

void MeshViewWindow::OnLButtonDown(UINT, POINT point) { beginDrag(MeshViewer::Drag::Orbit, point); }
void MeshViewWindow::OnLButtonUp(UINT, POINT point) { endDrag(point); }
void MeshViewWindow::OnRButtonDown(UINT, POINT point) { beginDrag(MeshViewer::Drag::Pan, point); }
void MeshViewWindow::OnRButtonUp(UINT, POINT point) { endDrag(point); }

void MeshViewWindow::OnMouseMove(UINT, POINT point) {
    if (viewer.moveTo(point.x, point.y)) pictureChanged();
}

void MeshViewWindow::OnCaptureChanged() { viewer.cancelDrag(); }

void MeshViewWindow::OnMouseWheel(UINT, short delta, POINT) {
    viewer.wheel(delta);
    pictureChanged();
}

// Space marks or hides back faces, W the wireframe, T textures, Home the start view, 1 to 6
// (the number pad's too) look along an axis.
void MeshViewWindow::OnKeyDown(UINT key, UINT, UINT) {
    using Command = MeshViewer::Command;
    if (key >= VK_NUMPAD1 && key <= VK_NUMPAD6) key = '1' + (key - VK_NUMPAD1);
    Command command;
    if (key >= '1' && key <= '6') command = static_cast<Command>(static_cast<int>(Command::LookFromAhead) + (key - '1'));
    else if (key == VK_HOME) command = Command::StartView;
    else if (key == 'W') command = Command::Wireframe;
    else if (key == 'T') command = Command::Textures;
    else if (key == VK_SPACE) command = Command::BackFaces;
    else return;
    if (viewer.command(command)) pictureChanged();
}
