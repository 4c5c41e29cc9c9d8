// A stand-in for the modelling program's script listener, for tests and for trying the
// program without the modelling program. See --help.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ListenerWindow.h"

namespace {

const char* const usage =
    "Usage: StandInListener [options]\n"
    "\n"
    "Opens a window captioned \"MAXScript Listener\" whose first child is its output pane\n"
    "(an edit control; a second pane stands beside it) and prints a mesh into the output\n"
    "pane the way an export script does: export chatter, the mesh from \"MSHX1\" on, the end\n"
    "marker line, more chatter. Each piece is one EM_REPLACESEL message.\n"
    "\n"
    "What to print:\n"
    "  --mesh FILE          the mesh or text file FILE (line ends become CR LF)\n"
    "  --synthetic BYTES    a synthetic mesh of about BYTES bytes (the default, 20000)\n"
    "  --cut lines|chunks|groups\n"
    "                       one line per piece (default), chunks of random length, or\n"
    "                       several lines per piece\n"
    "  --seed N             seed of the chunk lengths (default 1)\n"
    "  --max-chunk N        longest chunk in bytes (default 600)\n"
    "  --group-lines N      lines per piece with --cut groups (default 5)\n"
    "  --no-chatter         print only the mesh and the end marker\n"
    "  --second-pane N      after every N-th mesh piece print one piece to the second pane\n"
    "  --no-end             stop after the mesh, without the end marker (an export cut short)\n"
    "\n"
    "When to print:\n"
    "  --print-now          print as soon as the window is up (after --delay-ms)\n"
    "  --delay-ms N         wait N milliseconds before --print-now printing (default 0)\n"
    "  --exit-after-print   close once printed\n"
    "  Without --print-now the listener waits. A driver sends the message WM_APP+1 to the\n"
    "  window (class \"TessoranStandInListener\"); the listener prints the whole transcript\n"
    "  while handling it and returns the number of pieces printed, so a SendMessage returns\n"
    "  when printing is done. A piece is not counted when its EM_REPLACESEL reached the\n"
    "  pane with another last error than the one set before it (a hook changed it).\n"
    "  WM_CLOSE ends the listener.\n"
    "\n"
    "  --hidden             keep the window hidden (printing is much faster, for tests)\n"
    "  --shown              show the window (the default)\n"
    "  --help               show this text\n"
    "\n"
    "On standard output the listener reports \"ready <pieces>\" when its window is up and\n"
    "\"printed <pieces>\" after printing with --print-now.\n";

bool number(const char* text, unsigned long& value) {
    char* end = nullptr;
    value = std::strtoul(text, &end, 10);
    return end && *end == '\0' && end != text;
}

}  // namespace

int main(int argc, char** argv) {
    TranscriptOptions options;
    bool printNow = false, exitAfterPrint = false, visible = true;
    unsigned long delayMs = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        unsigned long n = 0;
        auto needNumber = [&] {
            if (!value || !number(value, n)) {
                std::fprintf(stderr, "StandInListener: %s needs a number\n", arg.c_str());
                std::exit(2);
            }
            ++i;
            return n;
        };
        if (arg == "--help" || arg == "-h") { std::fputs(usage, stdout); return 0; }
        else if (arg == "--mesh" && value) { options.meshFile = value; ++i; }
        else if (arg == "--cut" && value) { options.cut = value; ++i; }
        else if (arg == "--synthetic") options.syntheticBytes = needNumber();
        else if (arg == "--seed") options.seed = static_cast<std::uint32_t>(needNumber());
        else if (arg == "--max-chunk") options.maxChunk = needNumber();
        else if (arg == "--group-lines") options.groupLines = needNumber();
        else if (arg == "--second-pane") options.secondPaneEvery = needNumber();
        else if (arg == "--delay-ms") delayMs = needNumber();
        else if (arg == "--no-chatter") options.chatter = false;
        else if (arg == "--no-end") options.endMarker = false;
        else if (arg == "--print-now") printNow = true;
        else if (arg == "--hidden") visible = false;
        else if (arg == "--shown") visible = true;
        else if (arg == "--exit-after-print") exitAfterPrint = true;
        else {
            std::fprintf(stderr, "StandInListener: unknown or incomplete option %s (see --help)\n", arg.c_str());
            return 2;
        }
    }

    std::vector<TranscriptPiece> transcript;
    std::string error;
    if (!buildTranscript(options, transcript, error)) {
        std::fprintf(stderr, "StandInListener: %s\n", error.c_str());
        return 2;
    }
    const std::size_t pieces = transcript.size();
    ListenerWindow listener(std::move(transcript), visible);
    std::printf("ready %u\n", static_cast<unsigned>(pieces));
    std::fflush(stdout);

    if (printNow) {
        Sleep(delayMs);
        PostMessageA(listener.window(), ListenerWindow::printTranscript, 0, 0);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (msg.message == ListenerWindow::printTranscript) {
            std::printf("printed %u\n", static_cast<unsigned>(pieces));
            std::fflush(stdout);
            if (exitAfterPrint) DestroyWindow(listener.window());
        }
    }
    return 0;
}
