// Mesh bytes from outside (a capture, a dropped file) through everything that reads them:
// the reader with the check and the model builder, fed whole and in pieces the input cuts,
// then the view's geometry and one small frame from a camera the input places.
//
// Input: the mesh text, then a trailer read from the end (see FuzzInput.h): the seed of the
// cuts, the largest piece, the frame's size, the camera's moves and the drawing options.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "AxisCross.h"
#include "Camera.h"
#include "FrameBuffer.h"
#include "FuzzInput.h"
#include "MeshCheck.h"
#include "MeshModelBuilder.h"
#include "MeshRenderer.h"
#include "ViewGeometry.h"

namespace {

// Says a texture exists when its name has an even length: both answers get tried.
class EvenNamesExist : public FileLookup {
public:
    bool exists(const std::string& path) const override { return path.size() % 2 == 0; }
};

template <class T>
bool sameFloats(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

bool sameMaterial(const MeshMaterial& a, const MeshMaterial& b) {
    return a.name == b.name && std::memcmp(a.diffuse, b.diffuse, sizeof a.diffuse) == 0 &&
           std::memcmp(a.ambient, b.ambient, sizeof a.ambient) == 0 && std::memcmp(a.specular, b.specular, sizeof a.specular) == 0 &&
           std::memcmp(a.emissive, b.emissive, sizeof a.emissive) == 0 && std::memcmp(&a.power, &b.power, sizeof a.power) == 0;
}

// Bit for bit, NaNs included: both models come from the same numbers by the same code.
bool sameModel(const MeshModel& a, const MeshModel& b) {
    if (a.loads != b.loads || a.groups.size() != b.groups.size() || a.materials.size() != b.materials.size() ||
        a.textures.size() != b.textures.size())
        return false;
    for (std::size_t i = 0; i < a.textures.size(); ++i)
        if (a.textures[i].name != b.textures[i].name || a.textures[i].dynamic != b.textures[i].dynamic) return false;
    for (std::size_t i = 0; i < a.groups.size(); ++i) {
        const MeshGroup &g = a.groups[i], &h = b.groups[i];
        if (g.number != h.number || g.geomLine != h.geomLine || g.label != h.label || g.material != h.material ||
            g.texture != h.texture || g.flags != h.flags || g.indices != h.indices || !sameFloats(g.positions, h.positions) ||
            !sameFloats(g.normals, h.normals) || !sameFloats(g.texCoords, h.texCoords))
            return false;
    }
    for (std::size_t i = 0; i < a.materials.size(); ++i)
        if (!sameMaterial(a.materials[i], b.materials[i])) return false;
    return true;
}

std::string checkLine(const std::string& mesh, const std::vector<std::string_view>& pieces) {
    static const EvenNamesExist files;
    MeshCheck check;
    check.reset("Orbiter/Meshes/fuzz.msh", &files);
    if (pieces.empty()) check.feed(mesh.data(), mesh.size());
    for (std::string_view piece : pieces) check.feed(piece.data(), piece.size());
    return check.verdict();
}

// The pieces, fed until the builder reads no more when stopEarly (as a dropped file is read).
MeshModel model(const std::vector<std::string_view>& pieces, bool stopEarly) {
    MeshModelBuilder builder;
    for (std::string_view piece : pieces) {
        if (stopEarly && builder.readsNoMore()) break;
        builder.feed(piece.data(), piece.size());
    }
    return builder.finish();
}

// What the renderer relies on: every index names a vertex, every triangle a group, every
// group its vertices and a surface whose texture is in the list.
void checkGeometry(const ViewGeometry& geometry, const MeshModel& model) {
    FUZZ_ASSERT(geometry.triangles.size() == 3 * geometry.triangleCount());
    FUZZ_ASSERT(geometry.texCoords.empty() || geometry.texCoords.size() == geometry.positions.size());
    FUZZ_ASSERT(geometry.normals.size() == geometry.positions.size());
    for (const Vec3& p : geometry.positions) FUZZ_ASSERT(isFinite(p));
    FUZZ_ASSERT(geometry.groupCount() == model.groups.size());
    FUZZ_ASSERT(geometry.groupFirstVertex.size() == geometry.groupCount() + 1);
    FUZZ_ASSERT(geometry.groupFirstVertex.back() == geometry.positions.size());
    for (std::uint32_t index : geometry.triangles) FUZZ_ASSERT(index < geometry.positions.size());
    for (std::size_t t = 0; t < geometry.triangleCount(); ++t) {
        const std::uint32_t group = geometry.triangleGroup[t];
        FUZZ_ASSERT(group < geometry.groupCount());
        for (int k = 0; k < 3; ++k)
            FUZZ_ASSERT(geometry.triangles[3 * t + k] >= geometry.groupFirstVertex[group] &&
                        geometry.triangles[3 * t + k] < geometry.groupFirstVertex[group + 1]);
    }
    for (const ViewSurface& s : geometry.surfaces) FUZZ_ASSERT(s.texture < static_cast<int>(model.textures.size()));
}

// Small textures of odd sizes for every other entry of the list: the sampler wraps them.
std::vector<Texture> someTextures(std::size_t count, std::uint32_t seed) {
    std::vector<Texture> textures(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int w = 1 + static_cast<int>((seed + i) % 5), h = 1 + static_cast<int>((seed / 5 + i) % 3);
        textures[i].width = w;
        textures[i].height = h;
        textures[i].levels.push_back({w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w * h * 4), static_cast<std::uint8_t>(seed + i))});
        if (w > 1 && h > 1) textures[i].levels.push_back({1, 1, {1, 2, 3, static_cast<std::uint8_t>(i)}});
    }
    return textures;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint32_t cutSeed = input.number<std::uint32_t>();
    const std::size_t largestPiece = std::size_t{1} << input.numberIn(0, 12);
    const int width = input.numberIn(1, 64), height = input.numberIn(1, 48);
    const int view = input.numberIn(0, 6);  // 0 the start view, else an axis view
    const int orbitX = input.numberIn(-400, 400), orbitY = input.numberIn(-400, 400);
    const int panX = input.numberIn(-200, 200), panY = input.numberIn(-200, 200);
    const int wheel = input.numberIn(-3600, 3600);
    RenderOptions options;
    options.markBackFaces = input.flag();
    options.wireframe = input.flag();
    options.textures = input.flag();
    const std::string mesh = input.rest();

    // The check line and the model do not depend on how the bytes were cut.
    const std::vector<std::string_view> pieces = cutPieces(mesh, cutSeed, largestPiece);
    const std::vector<std::string_view> whole = {mesh};
    const std::string wholeLine = checkLine(mesh, {});
    FUZZ_ASSERT_EQ(checkLine(mesh, pieces), wholeLine);
    const MeshModel built = model(whole, false);
    FUZZ_ASSERT(sameModel(model(pieces, false), built));
    FUZZ_ASSERT(sameModel(model(pieces, true), built));
    if (!built.loads) return 0;

    MeshModel consumed = built;
    const ViewGeometry geometry = makeViewGeometry(consumed);
    checkGeometry(geometry, built);
    const std::vector<Texture> textures = someTextures(built.textures.size(), cutSeed);
    TextureSet set;
    for (std::size_t i = 0; i < textures.size(); ++i) set.push_back(i % 2 ? nullptr : &textures[i]);
    Camera camera;
    camera.setScene(geometry.bounds);
    camera.setViewport(width, height);
    static constexpr AxisView axes[6] = {AxisView::Ahead, AxisView::Behind, AxisView::Right,
                                         AxisView::Left,  AxisView::Above,  AxisView::Below};
    if (view == 0) camera.startView(geometry.positions);
    else camera.lookAlong(axes[view - 1], geometry.positions);
    camera.orbit(orbitX, orbitY);
    camera.pan(panX, panY);
    camera.zoom(wheel);

    FrameBuffer frame;
    frame.resize(width, height);
    MeshRenderer renderer;
    renderer.render(geometry, camera, options, set, frame);
    drawAxisCross(frame, camera);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int group = frame.groupAt(x, y);
            FUZZ_ASSERT(group >= -1 && group < static_cast<int>(geometry.groupCount()));
        }
    return 0;
}
