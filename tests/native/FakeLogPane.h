#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "LogPane.h"

// Behaves like a multi-line edit control: keeps the text, a selection and the caret.
// Replacing the selection leaves an empty selection (the caret) after the new text;
// reading the caret with one variable for start and end yields the end; selecting to
// the end clamps a position past the text.
class FakeLogPane : public LogPane {
public:
    void insertAtSelection(const char* inserted) override {
        std::string piece(inserted);
        text.replace(selectionStart, selectionEnd - selectionStart, piece);
        selectionStart = selectionEnd = selectionStart + static_cast<std::uint32_t>(piece.size());
    }
    std::uint32_t caretPosition() override { return selectionEnd; }
    void selectToEnd(std::uint32_t position) override {
        selectionStart = std::min<std::uint32_t>(position, length());
        selectionEnd = length();
    }
    void scrollCaretIntoView() override { scrolledTo = selectionEnd; ++scrolls; }
    // A pane of widthInCharacters, 0 for one without a set width.
    bool fitsOnOneLine(std::string_view piece) override { return widthInCharacters == 0 || piece.size() <= widthInCharacters; }

    // What a user's click (or drag) in the pane does.
    void userSelects(std::uint32_t start, std::uint32_t end) {
        selectionStart = std::min(start, length());
        selectionEnd = std::min(end, length());
        if (selectionStart > selectionEnd) std::swap(selectionStart, selectionEnd);
    }
    void userTypes(const std::string& s) { text += s; selectionStart = selectionEnd = length(); }

    std::uint32_t length() const { return static_cast<std::uint32_t>(text.size()); }

    std::string text;
    std::uint32_t selectionStart = 0;
    std::uint32_t selectionEnd = 0;
    std::uint32_t scrolledTo = 0;
    int scrolls = 0;
    std::size_t widthInCharacters = 0;
};
