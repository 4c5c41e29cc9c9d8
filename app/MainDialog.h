#pragma once

#include "DialogBase.h"
#include "DiskFiles.h"
#include "EditLogPane.h"
#include "FileBase.h"
#include "FileOutput.h"
#include "LowerRightsPieces.h"
#include "MeshCapture.h"
#include "MeshCheckVerdict.h"
#include "MeshViewWindow.h"
#include "ScreenRatePainting.h"

// The main window: Grab and Exit buttons and the log pane. Owns the capture, the output file
// and the log control for its whole life.
class MainDialog : public CDialog {
public:
    explicit MainDialog(CWnd* parent = nullptr);
    ~MainDialog() override;

private:
    void OnSysCommand(UINT id, LPARAM param);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    BOOL OnCopyData(CWnd* window, COPYDATASTRUCT* data);
    void OnTimer(UINT_PTR id);
    // The Grab command: abandons any capture, finds the listener, sets the hook, asks for the
    // file, opens it and arms the capture, logging each step or failure.
    void startGrab();

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    MessageMap GetMessageMap() const override;
    // The system-menu item "Grab Again After Done".
    void switchGrabAgain();
    // Processes of lower rights reach the window only while a capture is armed or running. A
    // command that may change the capture's state sets the filter when it is left, also when a
    // file error raised by the capture leaves it: a ScopeExit calling this.
    void letPiecesThroughWhileCapturing();

    MeshCapture capture;
    CFile file;
    CEdit log;
    HICON icon;
    EditLogPane logPane{log};
    FileOutput fileOutput{file};
    DiskFiles diskFiles;
    MeshCheckVerdict meshVerdict{&diskFiles};  // looks up the mesh's texture files on disk
    LowerRightsPieces lowerRightsPieces;
    MeshViewWindow meshView;
    ScreenRatePainting logPainting{*this, log, [this] { return capture.updateProgressText(); }};
};
