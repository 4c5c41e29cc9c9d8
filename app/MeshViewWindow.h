#pragma once

#include <string>

#include "DibSection.h"
#include "FrameBuffer.h"
#include "FrameWnd.h"
#include "MeshViewer.h"
#include "TextureReading.h"

// The mesh view: a resizable window owned by the main window that shows the mesh of the last
// capture (or of a file dropped on it) as the simulator will draw it, with a status line at
// the bottom. The picture is drawn into a bitmap by the portable viewer and copied onto the
// window; mouse and keys go to the viewer.
class MeshViewWindow : public CFrameWnd {
public:
    // Opens the view beside owner, showing the last capture's mesh, or brings it to the front.
    void openOrRaise(CWnd* owner);
    // A capture reached its end marker: its file is read now, while it holds that mesh (the
    // next capture may empty it), and shown at once when the view is open, without taking
    // the focus from where it is, or when the view opens.
    void captureEnded(const std::string& path);

private:
    MessageMap GetMessageMap() const override;
    void OnPaint();
    BOOL OnEraseBkgnd(HDC dc);
    void OnSize(UINT type, int width, int height);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnRButtonDown(UINT flags, POINT point);
    void OnRButtonUp(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    void OnMouseWheel(UINT flags, short delta, POINT point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnDropFiles(HDROP drop);
    void OnCaptureChanged();
    // The thread reading the textures has read them.
    static constexpr UINT texturesReadMessage = WM_APP + 1;
    LRESULT OnTexturesRead(WPARAM, LPARAM);
    void PostNcDestroy() override;

    void show(const std::string& path);
    std::string caption() const;
    void pictureChanged();
    void beginDrag(MeshViewer::Drag kind, POINT point);
    void endDrag(POINT point);
    int statusHeight() const;
    void paintStatus(HDC dc, const RECT& client) const;
    void paintMessage(HDC dc, const RECT& view) const;
    void readTextures();

    MeshViewer viewer;
    FrameBuffer buffer;
    DibSection picture;
    std::string shownPath;
    std::string notice;  // why the last file asked for is not what the view shows
    // The textures of the mesh shown, read on a thread of their own once the window is there.
    TextureReading textureReading{texturesReadMessage};
    std::vector<TextureSlot> textureSlots;
    bool texturesWanted = false;
    bool pictureCurrent = false;
};
