#include "ViewGeometry.h"

#include <algorithm>
#include <cmath>

#include "ViewColours.h"
#include "VectorMath.h"

namespace {

std::uint32_t channel(float value) {
    if (!(value > 0)) return 0;
    return static_cast<std::uint32_t>(std::lround(std::min(value, 1.0f) * 255.0f));
}

float finiteOrZero(float v) { return std::isfinite(v) ? v : 0.0f; }

// The box of the finite vertices, in double: its centre and half diagonal stay exact where a
// float's square of a coordinate would overflow or vanish.
MeshExtent measure(const MeshModel& model) {
    MeshExtent extent;
    for (const MeshGroup& group : model.groups)
        for (const Vec3& p : group.positions) {
            const double xyz[3] = {p.x, p.y, p.z};
            extent.add(xyz);
        }
    return extent;
}

}  // namespace

ViewSurface groupSurface(const MeshModel& model, const MeshGroup& group) {
    ViewSurface s;
    s.flags = group.flags;
    if (group.texture >= 1 && static_cast<std::size_t>(group.texture) <= model.textures.size() &&
        model.textures[static_cast<std::size_t>(group.texture) - 1].name != "0")
        s.texture = group.texture - 1;
    if (group.material >= 1 && static_cast<std::size_t>(group.material) <= model.materials.size()) {
        const MeshMaterial& m = model.materials[static_cast<std::size_t>(group.material) - 1];
        for (int i = 0; i < 4; ++i) s.diffuse[i] = finiteOrZero(m.diffuse[i]);
        for (int i = 0; i < 3; ++i) {
            s.ambient[i] = finiteOrZero(m.ambient[i]);
            s.specular[i] = finiteOrZero(m.specular[i]);
            s.emissive[i] = finiteOrZero(m.emissive[i]);
        }
        s.power = finiteOrZero(m.power);
        s.colour = channel(s.diffuse[0]) << 16 | channel(s.diffuse[1]) << 8 | channel(s.diffuse[2]);
    } else {
        s.colour = ViewColours::defaultMaterial;  // the colours of the default material stay
    }
    return s;
}

namespace {

// Moves the group's vertices into the geometry: its positions into units (taken over when no
// room was made for several groups), its normals packed, its texture coordinates as read.
void takeVertices(ViewGeometry& g, MeshGroup& group) {
    const std::size_t count = group.positions.size();
    const std::size_t first = g.positions.size();
    const bool takeOver = g.positions.capacity() == 0;
    if (takeOver) g.positions = std::move(group.positions);
    else g.positions.insert(g.positions.end(), group.positions.begin(), group.positions.end());
    std::vector<Vec3>().swap(group.positions);
    for (std::size_t i = 0; i < count; ++i) {
        Vec3& p = g.positions[first + i];
        const Vec3 n0 = i < group.normals.size() ? group.normals[i] : Vec3{};
        Vec3 n{};
        if (isFinite(p)) {
            p = {static_cast<float>((p.x - g.centre[0]) / g.metresPerUnit), static_cast<float>((p.y - g.centre[1]) / g.metresPerUnit),
                 static_cast<float>((p.z - g.centre[2]) / g.metresPerUnit)};
            g.bounds.add(p);
            if (isFinite(n0)) n = normalized(n0) * ViewGeometry::Normal::one;
        } else {
            p = {};
        }
        g.normals.push_back({static_cast<std::int16_t>(std::lround(n.x)), static_cast<std::int16_t>(std::lround(n.y)),
                             static_cast<std::int16_t>(std::lround(n.z))});
    }
    std::vector<Vec3>().swap(group.normals);
    group.texCoords.resize(count);
    for (TexCoord& t : group.texCoords) t = {finiteOrZero(t.u), finiteOrZero(t.v)};
    if (takeOver) g.texCoords = std::move(group.texCoords);
    else g.texCoords.insert(g.texCoords.end(), group.texCoords.begin(), group.texCoords.end());
    std::vector<TexCoord>().swap(group.texCoords);
}

}  // namespace

ViewGeometry makeViewGeometry(MeshModel& model) {
    ViewGeometry g;
    std::size_t vertices = 0, indices = 0;
    for (const MeshGroup& group : model.groups) {
        vertices += group.positions.size();
        indices += group.indices.size();
    }
    g.heldVertices = vertices;
    g.heldTriangles = indices / 3;
    g.extent = measure(model);
    const double(&low)[3] = g.extent.low;
    const double(&high)[3] = g.extent.high;
    double halfDiagonal = 0;
    if (g.extent.any) {
        // Halved before they are squared: a box of 1e38 m does not overflow.
        const double hx = (high[0] - low[0]) / 2, hy = (high[1] - low[1]) / 2, hz = (high[2] - low[2]) / 2;
        for (int a = 0; a < 3; ++a) g.centre[a] = low[a] / 2 + high[a] / 2;
        halfDiagonal = std::sqrt(hx * hx + hy * hy + hz * hz);
    }
    g.metresPerUnit = halfDiagonal > 0 && std::isfinite(halfDiagonal) ? halfDiagonal : 1;

    // One group's vertices are taken over whole; more are gathered into room made once.
    if (model.groups.size() > 1) {
        g.positions.reserve(vertices);
        g.texCoords.reserve(vertices);
    }
    g.normals.reserve(vertices);
    g.triangles.reserve(indices);
    g.triangleGroup.reserve(indices / 3);
    g.surfaces.reserve(model.groups.size());
    g.groupFirstVertex.reserve(model.groups.size() + 1);

    for (std::size_t groupIndex = 0; groupIndex < model.groups.size(); ++groupIndex) {
        MeshGroup& group = model.groups[groupIndex];
        const auto first = static_cast<std::uint32_t>(g.positions.size());
        g.groupFirstVertex.push_back(first);
        const std::size_t count = group.positions.size();
        for (std::size_t t = 0; t + 2 < group.indices.size(); t += 3) {
            const std::uint32_t* index = &group.indices[t];
            if (index[0] >= count || index[1] >= count || index[2] >= count) continue;
            if (!isFinite(group.positions[index[0]]) || !isFinite(group.positions[index[1]]) ||
                !isFinite(group.positions[index[2]]))
                continue;
            for (int k = 0; k < 3; ++k) g.triangles.push_back(first + index[k]);
            g.triangleGroup.push_back(static_cast<std::uint32_t>(groupIndex));
        }
        std::vector<std::uint32_t>().swap(group.indices);
        takeVertices(g, group);
        g.surfaces.push_back(groupSurface(model, group));
    }
    g.groupFirstVertex.push_back(static_cast<std::uint32_t>(g.positions.size()));
    // Vertex lines without texture coordinates: none kept (all are 0).
    if (std::all_of(g.texCoords.begin(), g.texCoords.end(), [](const TexCoord& t) { return t.u == 0 && t.v == 0; }))
        std::vector<TexCoord>().swap(g.texCoords);
    g.pointLike = !g.triangles.empty() && halfDiagonal == 0;
    return g;
}
