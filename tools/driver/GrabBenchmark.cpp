// What a grab costs the listener: the same pieces printed through the real hook and the
// stand-in listener to (1) Tessoran.exe in a real grab, (2) a null receiver, a window
// captioned like the main window that returns at once, and (3) no hook at all, in
// alternating rounds so that the machine's noise falls on all three alike. Prints the time
// per piece of each, the ratios (1)/(2) and (1)/(3), and the paints of Tessoran's log pane
// during its grabs. See --help.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Forwarding.h"
#include "PaintCounter.h"
#include "ProgramDriver.h"
#include "Tessolink.h"
#include "Transcript.h"

namespace {

const char* const usage =
    "Usage: GrabBenchmark [--bytes N] [--rounds R]\n"
    "  --bytes N    size of the synthetic mesh (default 75000: about 2,400 line pieces)\n"
    "  --rounds R   rounds of the three receivers (default 5)\n"
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
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = nullReceiver;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TessoranNullReceiver";
        RegisterClassA(&wc);
        registered = true;
    }
    return CreateWindowExA(0, "TessoranNullReceiver", Forwarding::mainWindowCaption, WS_OVERLAPPED, 0, 0, 50, 50,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

struct Grab {
    double seconds = 0;
    long paints = 0;
    bool whole = false;
};

// One real grab: Tessoran started, Grab pressed, the file named, the transcript printed.
// Only the printing is timed; the program ends with Exit afterwards.
Grab grabWithTessoran(StandInProcess& listener, const std::string& mesh, int lines, const std::string& checkLine) {
    Grab grab;
    const std::string path = temporaryPath("bench.msh");
    ProgramDriver program;
    if (!program.window || program.grabInto(path) != ProgramDriver::armedLines) return grab;
    startCountingPaints(program.control(1005));
    const double start = seconds();
    listener.printTranscript();
    grab.seconds = seconds() - start;
    Sleep(150);  // the last state's paint
    grab.paints = paintsCounted();
    stopCountingPaints();
    const std::string done =
        std::string(ProgramDriver::armedLines) + "Grabbing... " + std::to_string(lines) + " Lines read\r\n" + checkLine +
        "\r\nDone\r\n\r\n";
    grab.whole = program.waitForLog(done) == done && readBytes(path) == mesh;
    PostMessageA(program.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    program.waitForExit(10000);
    DeleteFileA(path.c_str());
    return grab;
}

double printWithNullReceiver(StandInProcess& listener) {
    HWND receiver = makeNullReceiver();
    SetHook(GetWindowThreadProcessId(listener.output(), nullptr));
    const double start = seconds();
    listener.printTranscript();  // this thread receives the pieces while it waits
    const double elapsed = seconds() - start;
    RemoveHook();
    DestroyWindow(receiver);
    return elapsed;
}

double printWithoutHook(StandInProcess& listener) {
    const double start = seconds();
    listener.printTranscript();
    return seconds() - start;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

bool run(const char* cut, unsigned long bytes, int rounds) {
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
    const int lines = transcriptProgressCount(transcript);
    const std::string checkLine = transcriptCheckLine(transcript);
    StandInProcess listener("--no-chatter --synthetic " + std::to_string(bytes) + " --cut " + cut);
    if (!listener.window) {
        std::fprintf(stderr, "GrabBenchmark: the stand-in listener did not come up\n");
        return false;
    }
    std::vector<double> tessoran, null, none;
    long paints = 0;
    bool whole = true;
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 3; ++turn) {  // the order turns with the round
            switch ((round + turn) % 3) {
            case 0: {
                Grab g = grabWithTessoran(listener, mesh, lines, checkLine);
                tessoran.push_back(g.seconds);
                paints = std::max(paints, g.paints);
                whole = whole && g.whole;
                break;
            }
            case 1: null.push_back(printWithNullReceiver(listener)); break;
            case 2: none.push_back(printWithoutHook(listener)); break;
            }
        }
    }
    const double pieces = static_cast<double>(transcript.size());
    const double t = median(tessoran) / pieces * 1e6, n = median(null) / pieces * 1e6, h = median(none) / pieces * 1e6;
    std::printf("%-6s %6zu pieces  Tessoran %8.1f us  null receiver %8.1f us  no hook %8.1f us  "
                "(1)/(2) %.2f  (1)/(3) %.2f  log paints <= %ld%s\n",
                cut, transcript.size(), t, n, h, t / n, t / h, paints, whole ? "" : "  GRAB INCOMPLETE");
    std::fflush(stdout);
    return whole;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned long bytes = 75000;
    int rounds = 5;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--bytes") && hasValue) {
            bytes = std::strtoul(argv[++i], nullptr, 10);
        } else if (!std::strcmp(argv[i], "--rounds") && hasValue) {
            rounds = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--help")) {
            std::fputs(usage, stdout);
            return 0;
        } else {
            std::fputs(usage, stderr);
            return 2;
        }
    }
    if (rounds < 1 || bytes == 0) {
        std::fputs(usage, stderr);
        return 2;
    }
    std::printf("GrabBenchmark: %d rounds, median time per piece (%s build)\n", rounds,
                sizeof(void*) == 8 ? "x86_64" : "x86");
    bool ok = run("lines", bytes, rounds);
    ok = run("chunks", bytes, rounds) && ok;
    return ok ? 0 : 1;
}
