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
        ViewGeometry geometry = makeViewGeometry(buildMeshModel(text));
        benchmark::DoNotOptimize(geometry.triangles.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

// One frame of the start view (argument 1: with the wireframe), the axis cross included.
void Frame(benchmark::State& state) {
    std::string text;
    if (!readText(text)) {
        state.SkipWithError("no deltaglider.msh in ../shared/meshes");
        return;
    }
    MeshViewer viewer;
    viewer.show(buildMeshModel(text));
    viewer.resize(1024, 768);
    if (state.range(0)) viewer.pressKey(MeshViewer::keyW);
    FrameBuffer buffer;
    buffer.resize(1024, 768);
    for (auto _ : state) {
        viewer.render(buffer);
        benchmark::DoNotOptimize(buffer.pixels());
    }
}

BENCHMARK(ReadIntoGeometry)->Unit(benchmark::kMillisecond);
BENCHMARK(Frame)->ArgName("wireframe")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
