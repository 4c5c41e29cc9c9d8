#pragma once

#include "DialogBase.h"
#include "LogPane.h"

// The log pane on the dialog's edit control: every operation is one message to the control.
class EditLogPane : public LogPane {
public:
    explicit EditLogPane(CEdit& edit) : edit(edit) {}

    void insertAtSelection(const char* text) override {
        edit.SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));  // not undoable
    }
    std::uint32_t caretPosition() override {
        DWORD caret = 0;  // start and end of the empty selection land in one variable
        edit.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&caret), reinterpret_cast<LPARAM>(&caret));
        return caret;
    }
    void selectToEnd(std::uint32_t position) override { edit.SendMessage(EM_SETSEL, position, -1); }
    void scrollCaretIntoView() override { edit.SendMessage(EM_SCROLLCARET, 0, 0); }
    // Measured in the control's font against its formatting rectangle.
    bool fitsOnOneLine(std::string_view text) override {
        RECT format = {};
        edit.SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        HDC dc = GetDC(edit.m_hWnd);
        if (!dc) return true;
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(edit.SendMessage(WM_GETFONT, 0, 0)));
        SIZE extent = {};
        const BOOL measured = GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(edit.m_hWnd, dc);
        return !measured || extent.cx <= format.right - format.left;
    }

private:
    CEdit& edit;
};
