#include "ListenerWindow.h"

#include <algorithm>

#include "OwnWindow.h"

namespace {

// A visible edit control full of text redraws slowly; the listener empties a pane now and
// then. WM_SETTEXT is not EM_REPLACESEL, so the hook lets it pass.
constexpr int clearAboveLength = 2000;
// Marks an error code as the application's own (bit 29), so no system call sets it.
constexpr DWORD applicationErrorBit = 0x20000000;

HWND makePane(HWND parent, int x, WNDPROC procedure) {
    HWND pane = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                                x, 0, 300, 200, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(pane, EM_SETLIMITTEXT, 0, 0);
    SetWindowLongPtrA(pane, GWLP_USERDATA, SetWindowLongPtrA(pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    return pane;
}

}  // namespace

ListenerWindow::ListenerWindow(std::vector<TranscriptPiece> pieces, bool visible)
    : transcript(std::move(pieces)) {
    top = createOwnWindow({className, DefWindowProcA, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)}, caption,
                          WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), {20, 20, 640, 260});
    // Children are created in order: the output pane first, so it is the first child.
    output = makePane(top, 0, paneProcedure);
    second = makePane(top, 305, paneProcedure);
    SetWindowLongPtrA(top, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProcedure));
}

ListenerWindow::~ListenerWindow() {
    if (IsWindow(top)) DestroyWindow(top);
}

std::string ListenerWindow::paneText(int index) const {
    HWND p = pane(index);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(p)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(p, text.data(), static_cast<int>(text.size()))));
    return text;
}

LRESULT ListenerWindow::print(const TranscriptPiece* pieces, std::size_t count) {
    // Redrawn once at the end: a visible edit control redraws slowly under a virtual display.
    for (HWND p : {output, second}) SendMessageA(p, WM_SETREDRAW, FALSE, 0);
    std::size_t keptLastError = 0;
    for (const TranscriptPiece* piece = pieces; piece != pieces + count; ++piece) {
        HWND p = pane(piece->pane);
        if (GetWindowTextLengthA(p) > clearAboveLength) SetWindowTextA(p, "");
        const int end = GetWindowTextLengthA(p);  // output lands at the end, where the caret stands
        SendMessageA(p, EM_SETSEL, static_cast<WPARAM>(end), end);
        // Hooks run before the pane's procedure; they must hand the thread's last error on as
        // they found it. (What the edit control itself does to it is no concern of theirs.)
        const DWORD lastError = applicationErrorBit | static_cast<DWORD>(piece - pieces);
        SetLastError(lastError);
        SendMessageA(p, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece->text.c_str()));
        if (lastErrorAtPane == lastError) ++keptLastError;
    }
    for (HWND p : {output, second}) {
        SendMessageA(p, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(p, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    }
    return static_cast<LRESULT>(keptLastError);
}

// The edit control's own procedure, after noting the last error an EM_REPLACESEL comes with.
LRESULT CALLBACK ListenerWindow::paneProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == EM_REPLACESEL) {
        const DWORD lastError = GetLastError();
        if (auto* self = reinterpret_cast<ListenerWindow*>(GetWindowLongPtrA(GetParent(hwnd), GWLP_USERDATA)))
            self->lastErrorAtPane = lastError;
        SetLastError(lastError);
    }
    const auto edit = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return CallWindowProcA(edit, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ListenerWindow::windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ListenerWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case printTranscript:
        return self->print(self->transcript.data(), self->transcript.size());
    case printPieces: {
        const auto& pieces = *reinterpret_cast<const std::vector<TranscriptPiece>*>(lParam);
        return self->print(pieces.data(), pieces.size());
    }
    case printBlock: {
        const std::size_t first = std::min<std::size_t>(wParam, self->transcript.size());
        const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(lParam), self->transcript.size() - first);
        return self->print(self->transcript.data() + first, count);
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
