// What a grab costs the listener. Three stand-in listeners print the same pieces through the
// real hook: (1) to Tessoran.exe in a real grab, (2) to a null receiver, a window that returns
// at once, and (3) with no hook at all. They print block by block in turn, the order turning
// with every block, so that the machine's drift falls on all three alike. Prints the time per
// piece of each (median over the rounds), the ratios (1)/(2) and (1)/(3) (median and range of
// the rounds' ratios), and the paints of Tessoran's log pane during a grab. See --help.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Forwarding.h"
#include "ListenerWindow.h"
#include "OwnWindow.h"
#include "PaintCounter.h"
#include "ProgramDriver.h"
#include "Tessolink.h"
#include "Transcript.h"

namespace {

const char* const usage =
    "Usage: GrabBenchmark [--bytes N] [--rounds R] [--blocks B]\n"
    "  --bytes N    size of the synthetic mesh (default 75000: about 2,400 line pieces)\n"
    "  --rounds R   grabs, each with the three receivers (default 5)\n"
    "  --blocks B   blocks the pieces of a grab are printed in, in turn (default 24)\n"
    "Prints microseconds per piece (median over the rounds) for line pieces and for chunks.\n";

double seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LRESULT CALLBACK nullReceiver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) return TRUE;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND makeNullReceiver() {
    return createOwnWindow({"TessoranNullReceiver", nullReceiver}, Forwarding::mainWindowCaption, WS_OVERLAPPED);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

std::string range(const std::vector<double>& v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f (%.2f-%.2f)", median(v), *std::min_element(v.begin(), v.end()),
                  *std::max_element(v.begin(), v.end()));
    return text;
}

bool run(const char* cut, unsigned long bytes, int rounds, std::size_t blocks) {
    TranscriptOptions options;
    options.syntheticBytes = bytes;
    options.cut = cut;
    options.chatter = false;
    std::vector<TranscriptPiece> transcript;
    std::string error;
    if (!buildTranscript(options, transcript, error)) {
        std::fprintf(stderr, "GrabBenchmark: %s\n", error.c_str());
        return false;
    }
    const std::string mesh = transcriptMesh(transcript);
    const std::string captured = "Grabbing... " + std::to_string(transcriptProgressCount(transcript)) +
                                 " Lines read\r\n" + transcriptCheckLine(transcript) + "\r\nDone\r\n\r\n";
    const std::string listenerOptions = "--no-chatter --synthetic " + std::to_string(bytes) + " --cut " + cut;
    std::vector<std::unique_ptr<StandInProcess>> listeners;
    for (int i = 0; i < 3; ++i) {
        listeners.push_back(std::make_unique<StandInProcess>(listenerOptions));
        if (!listeners.back()->window) {
            std::fprintf(stderr, "GrabBenchmark: a stand-in listener did not come up\n");
            return false;
        }
    }
    // Tessoran's Grab hooks the first window captioned like the listener: that one is (1).
    const HWND first = FindWindowA(nullptr, ListenerWindow::caption);
    std::stable_partition(listeners.begin(), listeners.end(), [&](const auto& l) { return l->window == first; });
    StandInProcess* const printer[3] = {listeners[0].get(), listeners[1].get(), listeners[2].get()};

    // The hook in listener (2) looks the receiver up at its first piece and keeps it; then the
    // receiver takes another caption, so that the hook in listener (1) finds Tessoran.
    HWND receiver = makeNullReceiver();
    SetHook(GetWindowThreadProcessId(printer[1]->output(), nullptr));
    printer[1]->printBlock(0, 1);
    SetWindowTextA(receiver, "null receiver");

    ProgramDriver program;
    const std::string path = temporaryPath("bench.msh");
    const std::size_t blockSize = (transcript.size() + blocks - 1) / blocks;
    std::vector<double> perPiece[3], toNull, toNone;
    std::string log;
    long paints = 0;
    bool whole = program.window != nullptr;
    for (int round = 0; whole && round < rounds; ++round) {
        whole = program.grabInto(path, log) == log + ProgramDriver::armedLines;
        startCountingPaints(program.logControl());
        double total[3] = {0, 0, 0};
        for (std::size_t block = 0; whole && block * blockSize < transcript.size(); ++block) {
            for (std::size_t turn = 0; turn < 3; ++turn) {
                const std::size_t which = (block + turn) % 3;
                const double start = seconds();
                printer[which]->printBlock(block * blockSize, blockSize);
                total[which] += seconds() - start;
            }
        }
        Sleep(150);  // the last state's paint
        paints = std::max(paints, paintsCounted());
        stopCountingPaints();
        log += ProgramDriver::armedLines + captured;
        whole = whole && program.waitForLog(log) == log && readBytes(path) == mesh;
        for (int i = 0; i < 3; ++i) perPiece[i].push_back(total[i] / static_cast<double>(transcript.size()) * 1e6);
        toNull.push_back(total[0] / total[1]);
        toNone.push_back(total[0] / total[2]);
    }
    RemoveHook();
    DestroyWindow(receiver);
    DeleteFileA(path.c_str());
    if (toNull.empty()) toNull = toNone = perPiece[0] = perPiece[1] = perPiece[2] = {0};
    std::printf("%-6s %6zu pieces in %zu blocks  Tessoran %8.1f us  null receiver %8.1f us  no hook %8.1f us  "
                "(1)/(2) %s  (1)/(3) %s  log paints <= %ld%s\n",
                cut, transcript.size(), (transcript.size() + blockSize - 1) / blockSize, median(perPiece[0]),
                median(perPiece[1]), median(perPiece[2]), range(toNull).c_str(), range(toNone).c_str(), paints,
                whole ? "" : "  GRAB INCOMPLETE");
    std::fflush(stdout);
    return whole;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned long bytes = 75000;
    int rounds = 5;
    std::size_t blocks = 24;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--bytes") && hasValue) {
            bytes = std::strtoul(argv[++i], nullptr, 10);
        } else if (!std::strcmp(argv[i], "--rounds") && hasValue) {
            rounds = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--blocks") && hasValue) {
            blocks = std::strtoul(argv[++i], nullptr, 10);
        } else if (!std::strcmp(argv[i], "--help")) {
            std::fputs(usage, stdout);
            return 0;
        } else {
            std::fputs(usage, stderr);
            return 2;
        }
    }
    if (rounds < 1 || bytes == 0 || blocks == 0) {
        std::fputs(usage, stderr);
        return 2;
    }
    std::printf("GrabBenchmark: %d rounds, median time per piece (%s build)\n", rounds,
                sizeof(void*) == 8 ? "x86_64" : "x86");
    bool ok = run("lines", bytes, rounds, blocks);
    ok = run("chunks", bytes, rounds, blocks) && ok;
    return ok ? 0 : 1;
}
