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

private:
    CEdit& edit;
};
