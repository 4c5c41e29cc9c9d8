#pragma once

#include <cstdint>

// The operations the capture and the Grab command use on the log control.
class LogPane {
public:
    virtual ~LogPane() = default;

    // Replaces the current selection with text (it lands at the caret); cannot be undone.
    virtual void insertAtSelection(const char* text) = 0;
    // Character index of the caret.
    virtual std::uint32_t caretPosition() = 0;
    // Selects from position to the end of the text.
    virtual void selectToEnd(std::uint32_t position) = 0;
    virtual void scrollCaretIntoView() = 0;
};
