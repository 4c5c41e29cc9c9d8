#include "LineBreaking.h"

std::string breakToFit(std::string_view line, const std::function<bool(std::string_view)>& fits) {
    std::string out;
    std::size_t start = 0;  // of the piece on the current pane line
    while (start < line.size() && !fits(line.substr(start))) {
        // The last blank after which the piece still fits; else the first, past a long word.
        std::size_t lastFitting = std::string_view::npos, blank = line.find(' ', start);
        while (blank != std::string_view::npos && fits(line.substr(start, blank - start))) {
            lastFitting = blank;
            blank = line.find(' ', blank + 1);
        }
        if (lastFitting == std::string_view::npos) lastFitting = blank;
        if (lastFitting == std::string_view::npos) break;
        out.append(line.substr(start, lastFitting - start)).append("\r\n");
        start = lastFitting + 1;
    }
    out.append(line.substr(start));
    return out;
}
