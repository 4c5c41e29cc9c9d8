#include "MeshModelBuilder.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "MeshReader.h"
#include "VectorMath.h"

namespace {

float angleBetween(Vec3 a, Vec3 b) {
    const float lengths = length(a) * length(b);
    if (!(lengths > 0)) return 0;
    const float c = dot(a, b) / lengths;
    return std::acos(c < -1 ? -1 : c > 1 ? 1 : c);
}

// The loader's normals for the vertices of a group that has none (squared length at most
// 0.1): the average of the outward directions of the triangles around each, weighted by the
// triangle's angle at the vertex.
// The sums are made in the normals they replace, so a large group needs a bit a vertex more
// and not a second list of vectors.
void fillMissingNormals(MeshGroup& group) {
    std::vector<Vec3>& normals = group.normals;
    std::vector<bool> missing(normals.size());
    for (std::size_t v = 0; v < normals.size(); ++v)
        if (dot(normals[v], normals[v]) <= 0.1f) missing[v] = true, normals[v] = {};
    for (std::size_t t = 0; t + 2 < group.indices.size(); t += 3) {
        const std::uint32_t* index = &group.indices[t];
        const Vec3 p[3] = {group.positions[index[0]], group.positions[index[1]], group.positions[index[2]]};
        const Vec3 outward = normalized(cross(p[1] - p[0], p[2] - p[0]));
        for (int k = 0; k < 3; ++k)
            if (index[k] < normals.size() && missing[index[k]])
                normals[index[k]] = normals[index[k]] + outward * angleBetween(p[(k + 1) % 3] - p[k], p[(k + 2) % 3] - p[k]);
    }
    for (std::size_t v = 0; v < normals.size(); ++v)
        if (missing[v]) normals[v] = normalized(normals[v]);
}

}  // namespace

// "0 0 0" and its line end: a group's room is made for lines at least this long (shorter
// ones are read too; their lists then grow).
constexpr std::uint64_t shortestVertexLine = 6;

struct MeshModelBuilder::State : MeshReadListener {
    std::uint64_t textLength = 0, fed = 0;  // the text's length when known, the bytes fed so far
    MeshReader reader{*this};
    MeshModel model;
    MeshGroup group;
    bool noNormal = false;        // the group's vertex lines hold no normals
    bool computeNormals = false;  // the loader fills in the normals that are missing

    void onGroupCount(int) override {}
    void onGroup(const GroupHeader& header) override {
        group = MeshGroup();
        group.number = header.number;
        group.geomLine = header.geomLine;
        group.label = header.label;
        group.material = header.material;
        group.texture = header.texture;
        group.flags = header.flags;
        // A group may promise more than its file holds: reserve no more than a full group, or
        // than the rest of a text of known length can hold.
        const std::uint64_t room = textLength > fed ? (textLength - fed) / shortestVertexLine : 0;
        const auto most = [&](int claimed) {
            return static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(std::max(claimed, 0)),
                                                                     std::max<std::uint64_t>(room, 65536)));
        };
        group.positions.reserve(most(header.vertices));
        group.normals.reserve(most(header.vertices));
        group.texCoords.reserve(most(header.vertices));
        group.indices.reserve(most(header.triangles) * 3);
        noNormal = computeNormals = header.noNormal;
    }
    void onVertex(const VertexLine& vertex) override {
        const double* v = vertex.values;
        model.extent.add(v);
        group.positions.push_back({static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])});
        if (noNormal) group.normals.push_back({});
        else group.normals.push_back({static_cast<float>(v[3]), static_cast<float>(v[4]), static_cast<float>(v[5])});
        const double* uv = noNormal ? v + 3 : v + 6;
        group.texCoords.push_back({static_cast<float>(uv[0]), static_cast<float>(uv[1])});
        if (vertex.numbers < 6) computeNormals = true;
    }
    // A triangle with a vertex that is not a finite point cannot be drawn.
    void onTriangle(std::uint64_t, const std::uint32_t (&index)[3]) override {
        for (std::uint32_t i : index)
            if (!isFinite(group.positions[i])) return;
        group.indices.insert(group.indices.end(), index, index + 3);
    }
    void onGroupEnd() override {
        if (computeNormals) fillMissingNormals(group);
        model.groups.push_back(std::move(group));
        group = MeshGroup();
    }
    // The lists grow by the lines read, never by the counts a file claims.
    void onMaterialName(int, std::string_view name) override {
        MeshMaterial material;  // all 0 until its block is read, as the loader leaves it
        material.name = std::string(name);
        std::fill(material.diffuse, material.diffuse + 4, 0.0f);
        model.materials.push_back(std::move(material));
    }
    void onMaterialColour(int index, int colour, const double (&rgba)[4], double power) override {
        if (index < 1 || static_cast<std::size_t>(index) > model.materials.size()) return;
        MeshMaterial& material = model.materials[static_cast<std::size_t>(index - 1)];
        float* const colours[] = {material.diffuse, material.ambient, material.specular, material.emissive};
        if (colour < 1 || colour > 4) return;
        for (int i = 0; i < 4; ++i) colours[colour - 1][i] = static_cast<float>(rgba[i]);
        if (colour == 3) material.power = static_cast<float>(power);
    }
    void onTextureName(int, std::string_view name, bool dynamic, std::uint64_t) override {
        model.textures.push_back({std::string(name), dynamic});
    }
};

MeshModelBuilder::MeshModelBuilder() : state(std::make_unique<State>()) {}
MeshModelBuilder::~MeshModelBuilder() = default;

void MeshModelBuilder::expectAtMost(std::uint64_t bytes) { state->textLength = bytes; }

void MeshModelBuilder::feed(const char* bytes, std::size_t count) {
    state->reader.feed(bytes, count);
    state->fed += count;
}

bool MeshModelBuilder::readsNoMore() const { return state->reader.readsNoMore(); }

// A group the text ends in is dropped, as the loader drops it. The fresh state is made
// first: when there is no memory for it, the builder keeps the one it has.
MeshModel MeshModelBuilder::finish() {
    auto fresh = std::make_unique<State>();
    state->reader.finish();
    MeshModel model = std::move(state->model);
    model.loads = !model.groups.empty();  // no group kept: no mesh
    state = std::move(fresh);
    return model;
}

MeshModel buildMeshModel(std::string_view text) {
    MeshModelBuilder builder;
    builder.feed(text.data(), text.size());
    return builder.finish();
}
