// The mesh view on the largest real mesh: reading the file into the view's geometry, reading
// its ten textures, and drawing one frame at 1024 x 768. The mesh and the textures are laid
// out as in the simulator's folder (Meshes beside Textures) in a temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "FileBytes.h"
#include "FrameBuffer.h"
#include "LocalTextureFiles.h"
#include "MeshTextures.h"
#include "MeshModelBuilder.h"
#include "MeshViewer.h"
#include "ViewGeometry.h"

namespace {

const char* const meshPath = TESSORAN_SOURCE_DIR "/../shared/meshes/deltaglider.msh";
const char* const texturesPath = TESSORAN_SOURCE_DIR "/../shared/textures";

bool readText(std::string& text) { return readFileBytes(meshPath, text); }

// <temp>/Meshes/deltaglider.msh and <temp>/Textures, links to the shared files; the mesh's
// path in it, empty when the shared textures are not there.
std::string simulatorFolder() {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::is_directory(texturesPath, error)) return {};
    const fs::path root = fs::temp_directory_path() / "tessoran-bench-sim";
    fs::create_directories(root / "Meshes", error);
    if (!fs::exists(root / "Textures", error)) fs::create_directory_symlink(fs::absolute(texturesPath), root / "Textures", error);
    return (root / "Meshes" / "deltaglider.msh").string();
}

// The textures read as the view reads them, with a fresh cache each time.
std::vector<TextureSlot> readTextures(const MeshModel& model, const std::string& path) {
    MeshTextures textures;
    return textures.read(path, model, LocalTextureFiles());
}

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

// The ten texture files read and decoded, with their mip chains made.
void ReadTextures(benchmark::State& state) {
    std::string text;
    const std::string path = simulatorFolder();
    if (!readText(text) || path.empty()) {
        state.SkipWithError("no deltaglider.msh or textures in ../shared");
        return;
    }
    const MeshModel model = buildMeshModel(text);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<TextureSlot> slots = readTextures(model, path);
        bytes = 0;
        for (const TextureSlot& slot : slots) bytes += slot.texture ? slot.texture->bytes() : 0;
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["texture_MB"] = static_cast<double>(bytes) / (1 << 20);
}

// One frame of the start view, the axis cross included: with the wireframe or not, in the
// simulator's look with its textures or in plain colours.
void Frame(benchmark::State& state) {
    std::string text;
    if (!readText(text)) {
        state.SkipWithError("no deltaglider.msh in ../shared/meshes");
        return;
    }
    MeshViewer viewer;
    const MeshModel model = buildMeshModel(text);
    viewer.show(model);
    const std::string path = simulatorFolder();
    const std::vector<TextureSlot> slots = path.empty() ? std::vector<TextureSlot>() : readTextures(model, path);
    TextureSet set;
    for (const TextureSlot& slot : slots) set.push_back(slot.texture.get());
    viewer.setTextures(set, "");
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
BENCHMARK(ReadTextures)->Unit(benchmark::kMillisecond);
BENCHMARK(Frame)->ArgNames({"wireframe", "textured"})->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
