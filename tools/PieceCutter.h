#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Cuts text into listener pieces the three ways a listener may print it: a line per piece,
// chunks of random length, or a few lines per piece. Used by the stand-in listener and by
// the tests; portable.
namespace PieceCutter {

// LF and CR LF line ends both become CR LF, as the listener shows its lines.
std::string toCrLf(std::string_view text);

// One piece per line, each with its line end; a last line without one is a piece too.
std::vector<std::string> lines(std::string_view text);

// Pieces of minSize..maxSize bytes (the last may be shorter), the same for the same seed.
std::vector<std::string> chunks(std::string_view text, std::uint32_t seed,
                                std::size_t minSize, std::size_t maxSize);

// Pieces of linesPerPiece lines each (the last may hold fewer).
std::vector<std::string> lineGroups(std::string_view text, std::size_t linesPerPiece);

// What an export script prints around the mesh.
std::vector<std::string> chatterBefore();
std::vector<std::string> chatterAfter();
// The end marker on a line of its own.
extern const std::string endMarkerLine;

}  // namespace PieceCutter
