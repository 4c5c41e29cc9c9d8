// Feeds a 1.2 MB mesh as line pieces through the capture into memory (the tests' fake file
// and log), beside a floor that copies the same pieces into a buffer with the same marker
// searches and nothing else, the mesh check alone, and an unbuffered file write per piece
// (what the program's file does).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CaptureTexts.h"
#include "FakeLogPane.h"
#include "FakeOutputFile.h"
#include "MeshCapture.h"
#include "MeshCheck.h"
#include "MeshCheckVerdict.h"
#include "PieceCutter.h"
#include "SyntheticMesh.h"
#include "TextSearch.h"

namespace {

// A log that ignores its updates, to show their share.
class QuietLog : public FakeLogPane {
public:
    void insertAtSelection(const char*) override {}
};

struct Blocks {
    std::vector<std::string> blocks;  // each piece with its NUL
    Blocks() {
        std::vector<std::string> pieces = PieceCutter::lines(PieceCutter::toCrLf(makeSyntheticMesh(1200 * 1000)));
        pieces.push_back(PieceCutter::endMarkerLine);
        for (auto& p : pieces) blocks.push_back(p + '\0');
    }
};
const Blocks& meshBlocks() { static Blocks b; return b; }

WindowHandle const listener = reinterpret_cast<WindowHandle>(std::uintptr_t{0x10});

void Capture(benchmark::State& state) {
    const auto& blocks = meshBlocks().blocks;
    FakeOutputFile file;
    FakeLogPane countingLog;
    QuietLog quietLog;
    FakeLogPane& log = state.range(0) ? quietLog : countingLog;
    MeshCheckVerdict verdict;
    MeshCapture capture(log, file, verdict, [] {});
    capture.setListenerOutput(listener);
    file.files["mem"].reserve(1300 * 1000);
    for (auto _ : state) {
        log.text.clear();
        log.selectionStart = log.selectionEnd = 0;
        capture.abandon();
        capture.arm("mem");
        for (const auto& b : blocks)
            capture.onTextPiece({listener, b.data(), static_cast<std::uint32_t>(b.size())});
        benchmark::DoNotOptimize(file.bytes().data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(blocks.size()));
}

void Floor(benchmark::State& state) {
    const auto& blocks = meshBlocks().blocks;
    std::string out;
    out.reserve(1300 * 1000);
    for (auto _ : state) {
        out.clear();
        bool grabbing = false;
        for (const auto& b : blocks) {
            std::string_view text(b.data(), b.size() - 1);
            if (!grabbing) {
                grabbing = text.substr(0, CaptureTexts::startMarker.size()) == CaptureTexts::startMarker;
                if (grabbing) out.append(b.data(), b.size() - 1);
                continue;
            }
            if (containsBytes(text, CaptureTexts::endMarker, CaptureTexts::endMarkerAnchor)) break;
            out.append(b.data(), b.size() - 1);
            benchmark::DoNotOptimize(containsCrLf(text));
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(blocks.size()));
}

void CheckAlone(benchmark::State& state) {
    const auto& blocks = meshBlocks().blocks;
    MeshCheck check;
    for (auto _ : state) {
        check.reset();
        for (std::size_t i = 0; i + 1 < blocks.size(); ++i) check.feed(blocks[i].data(), blocks[i].size() - 1);
        benchmark::DoNotOptimize(check.verdict());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(blocks.size()));
}

void FileWritePerPiece(benchmark::State& state) {
    const auto& blocks = meshBlocks().blocks;
    for (auto _ : state) {
        std::FILE* f = std::tmpfile();
        std::setvbuf(f, nullptr, _IONBF, 0);
        for (const auto& b : blocks) std::fwrite(b.data(), 1, b.size() - 1, f);
        std::fclose(f);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(blocks.size()));
}

// Argument 1 runs the capture with a log that ignores its updates, to show their share.
BENCHMARK(Capture)->ArgName("quietLog")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(FileWritePerPiece)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
