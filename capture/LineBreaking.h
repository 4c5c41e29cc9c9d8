#pragma once

#include <functional>
#include <string>
#include <string_view>

// Breaks a line of words where it is wider than a pane: greedily at the blanks, each break a
// blank turned into CR LF and nothing else changed. A word wider than the pane stands alone.
// fits says whether a piece of the line fits on one line of the pane.
std::string breakToFit(std::string_view line, const std::function<bool(std::string_view)>& fits);
