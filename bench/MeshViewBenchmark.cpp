// The mesh view on the largest real mesh: reading the file into the view's geometry, and
// drawing one frame at 1024 x 768.
#include <benchmark/benchmark.h>

#include <string>

#include "FileBytes.h"
#include "FrameBuffer.h"
#include "MeshModelBuilder.h"
#include "MeshViewer.h"
#include "ViewGeometry.h"

namespace {

const char* const meshPath = TESSORAN_SOURCE_DIR "/../shared/meshes/deltaglider.msh";

bool readText(std::string& text) { return readFileBytes(meshPath, text); }

// What the window does with a file: read it, build the model as the simulator holds it,
// and the geometry the renderer draws.
void ReadIntoGeometry(benchmark::State& state) {
    std::string text;
    if (!readText(text)) {
        state.SkipWithError("no deltaglider.msh in ../shared/meshes");
        return;
    }
    for (auto _ : state) {
        readText(text);
        MeshModel model = buildMeshModel(text);
        ViewGeometry geometry = makeViewGeometry(model);
        benchmark::DoNotOptimize(geometry.triangles.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

// One frame of the start view, the axis cross included: with the wireframe or not, in the
// simulator's look or in plain colours.
void Frame(benchmark::State& state) {
    std::string text;
    if (!readText(text)) {
        state.SkipWithError("no deltaglider.msh in ../shared/meshes");
        return;
    }
    MeshViewer viewer;
    viewer.show(buildMeshModel(text));
    viewer.resize(1024, 768);
    if (state.range(0)) viewer.command(MeshViewer::Command::Wireframe);
    if (!state.range(1)) viewer.command(MeshViewer::Command::Textures);
    FrameBuffer buffer;
    buffer.resize(1024, 768);
    for (auto _ : state) {
        viewer.render(buffer);
        benchmark::DoNotOptimize(buffer.pixels());
    }
}

BENCHMARK(ReadIntoGeometry)->Unit(benchmark::kMillisecond);
BENCHMARK(Frame)->ArgNames({"wireframe", "textured"})->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
