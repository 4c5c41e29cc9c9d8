#include "MainDialog.h"

#include "AboutDialog.h"
#include "AppBase.h"
#include "GdiBase.h"
#include "ScopeExit.h"
#include "Tessolink.h"
#include "res/resource.h"

namespace {

// The system keeps the low four bits of a system command for itself (OnSysCommand masks them
// off), and its own commands begin at 0xF000.
constexpr bool fitsSystemMenu(UINT id) { return (id & 0xF) == 0 && id < 0xF000; }
static_assert(fitsSystemMenu(IDM_ABOUTBOX), "the about item's command id must fit the system menu");
static_assert(fitsSystemMenu(IDM_MESHVIEW), "the Mesh View item's command id must fit the system menu");
static_assert(fitsSystemMenu(IDM_GRABAGAIN), "the Grab Again item's command id must fit the system menu");

// The listener waits in its send until a piece is in the file, and no longer: the capture
// replies once it has done everything that reads the piece.
void replyToSender() {
    if (InSendMessage()) ReplyMessage(0);
}

}  // namespace

// The capture is given the adapters by reference; they are built before any message comes.
MainDialog::MainDialog(CWnd* parent)
    : CDialog(IDD_MAIN_DIALOG, parent),
      capture(logPane, fileOutput, meshVerdict, [] { RemoveHook(); }, replyToSender),
      icon(LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCEA(IDR_MAINFRAME), reinterpret_cast<LPCSTR>(RT_GROUP_ICON)),
                     MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

// A capture cut short keeps what it wrote; a failing close is ignored here. The hook is
// removed explicitly: in some systems (Wine among them) a hook set on another process's
// thread outlives the program that set it, and would go on running in the listener.
MainDialog::~MainDialog() {
    if (file.m_hFile != CFile::hFileNull) file.Abort();
    RemoveHook();
}

MessageMap MainDialog::GetMessageMap() const {
    static constexpr MessageMapEntry entries[] = {
        On::SysCommand<&MainDialog::OnSysCommand>(),
        On::Paint<&MainDialog::OnPaint>(),
        On::QueryDragIcon<&MainDialog::OnQueryDragIcon>(),
        On::Command<IDC_GRAB, &MainDialog::startGrab>(),
        On::CopyData<&MainDialog::OnCopyData>(),
        On::Timer<&MainDialog::OnTimer>(),
    };
    return entries;
}

void MainDialog::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_LOG, log);
}

BOOL MainDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    // The edit control takes some 30,000 characters by default and then silently drops every
    // insertion; a capture adds about 110, so a long session would stop logging.
    log.SetLimitText(0);
    if (CMenu* systemMenu = CMenu::FromHandle(GetSystemMenu(m_hWnd, FALSE))) {
        char about[256] = "";
        LoadStringA(AfxGetInstanceHandle(), IDS_ABOUTBOX, about, sizeof about);
        if (about[0] != '\0') {
            systemMenu->AppendMenu(MF_SEPARATOR);
            systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
        systemMenu->AppendMenu(MF_STRING, IDM_MESHVIEW, "Mesh View");
        systemMenu->AppendMenu(MF_STRING, IDM_GRABAGAIN, "Grab Again After Done");  // off at every start
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    return TRUE;  // the dialog manager puts the focus on the first tab stop, Exit
}

void MainDialog::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        AboutDialog about(this);
        about.DoModal();
    } else if ((id & 0xFFF0) == IDM_MESHVIEW) {
        meshView.openOrRaise(this);
    } else if ((id & 0xFFF0) == IDM_GRABAGAIN) {
        switchGrabAgain();
    } else {
        Default();
    }
}

// The check mark shows the setting. Switched off, a waiting that began after Done ends; a
// failing close of its file raises, and the framework reports it.
void MainDialog::switchGrabAgain() {
    const ScopeExit filter{[this] { letPiecesThroughWhileCapturing(); }};
    const bool on = !capture.grabsAgainAfterDone();
    if (CMenu* systemMenu = CMenu::FromHandle(GetSystemMenu(m_hWnd, FALSE)))
        systemMenu->CheckMenuItem(IDM_GRABAGAIN, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    capture.grabAgainAfterDone(on);
}

// Minimized, the icon is drawn centred in the client area.
void MainDialog::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    int iconWidth = GetSystemMetrics(SM_CXICON);
    int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(&client);
    int x = (client.right - client.left - iconWidth + 1) / 2;
    int y = (client.bottom - client.top - iconHeight + 1) / 2;
    dc.DrawIcon(x, y, icon);
}

HCURSOR MainDialog::OnQueryDragIcon() { return static_cast<HCURSOR>(icon); }

// File errors raised by the capture pass to the framework, which reports them (the sender is
// not released before). The log pane is painted at screen rate while grabbing, and at once
// when the capture has ended: also when a file error leaves onTextPiece, so the failure
// notice shows before the error box opens. A capture that stops grabbing without an error has
// reached its end marker (it may be waiting again already): the mesh view shows its file.
BOOL MainDialog::OnCopyData(CWnd* window, COPYDATASTRUCT* data) {
    bool ended = false;
    if (data != nullptr) {
        const bool grabbing = capture.currentState() == CaptureState::Grabbing;
        if (grabbing) logPainting.hold();
        const ScopeExit afterPiece{[this] {
            logPainting.pieceHandled(capture.currentState() == CaptureState::Grabbing);
            letPiecesThroughWhileCapturing();
        }};
        HWND source = window ? window->m_hWnd : nullptr;
        capture.onTextPiece({reinterpret_cast<WindowHandle>(source), static_cast<const char*>(data->lpData),
                             static_cast<std::uint32_t>(data->cbData)});
        ended = grabbing && capture.currentState() != CaptureState::Grabbing;
    }
    if (ended) meshView.captureEnded(capture.armedPath());  // after the log is painted
    return static_cast<BOOL>(Default());
}

void MainDialog::letPiecesThroughWhileCapturing() {
    lowerRightsPieces.letThrough(m_hWnd, capture.currentState() != CaptureState::Idle);
}

void MainDialog::OnTimer(UINT_PTR id) { logPainting.onTimer(id); }

void MainDialog::OnOK() {
    logPainting.paintNow();
    CDialog::OnOK();
}

void MainDialog::OnCancel() {
    logPainting.paintNow();
    CDialog::OnCancel();
}
