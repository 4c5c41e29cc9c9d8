#pragma once

#include <cstdint>
#include <string_view>

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
    // Whether the text fits on one line of the pane, in its font; a pane of no set width
    // takes any line.
    virtual bool fitsOnOneLine(std::string_view /*text*/) { return true; }
};
