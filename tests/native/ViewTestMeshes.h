#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "MeshModel.h"
#include "VectorMath.h"

// Small hand-made meshes with pictures known in advance.
namespace ViewTestMeshes {

// A square face around centre, spanned by s and t (half its side each), its normal the
// ordinary cross product s x t: corners run so that (v1 - v0) x (v2 - v0) points along it.
inline void addFace(MeshGroup& g, Vec3 centre, Vec3 s, Vec3 t, Vec3 normal) {
    const auto first = static_cast<std::uint32_t>(g.positions.size());
    const float signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto& sign : signs) {
        g.positions.push_back(centre + (s * sign[0] + t * sign[1]));
        g.normals.push_back(normal);
    }
    for (std::uint32_t i : {0u, 1u, 2u, 0u, 2u, 3u}) g.indices.push_back(first + i);
}

// The cube from -1 to 1 on every axis, its faces wound outwards with outward normals; with
// reversed winding the second and third corner of each triangle swap (normals unchanged).
inline MeshModel cube(bool reversedWinding = false) {
    MeshGroup g;
    g.number = 1;
    g.geomLine = 3;
    const Vec3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1}, mx{-1, 0, 0}, my{0, -1, 0}, mz{0, 0, -1};
    addFace(g, x, y, z, x);
    addFace(g, mx, z, y, mx);
    addFace(g, y, z, x, y);
    addFace(g, my, x, z, my);
    addFace(g, z, x, y, z);
    addFace(g, mz, y, x, mz);
    if (reversedWinding)
        for (std::size_t i = 0; i < g.indices.size(); i += 3) std::swap(g.indices[i + 1], g.indices[i + 2]);
    MeshModel m;
    m.loads = true;
    m.groups.push_back(g);
    return m;
}

// A square facing +z (towards a camera ahead), centred at (x, 0, z), half side 1.
inline MeshGroup squareFacingAhead(int number, float x, float z, int material) {
    MeshGroup g;
    g.number = number;
    g.geomLine = static_cast<std::uint64_t>(10 * number);
    g.material = material;
    addFace(g, {x, 0, z}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    return g;
}

inline MeshMaterial material(const char* name, float r, float g, float b) {
    MeshMaterial m;
    m.name = name;
    m.diffuse[0] = r, m.diffuse[1] = g, m.diffuse[2] = b;
    return m;
}

// Two overlapping squares seen from ahead: a red one nearer (z = 1) on the left, a blue one
// farther (z = -1) on the right, in the order given.
inline MeshModel twoSquares(bool nearFirst) {
    MeshModel m;
    m.loads = true;
    MeshGroup nearSquare = squareFacingAhead(1, -0.5f, 1, 1), farSquare = squareFacingAhead(2, 0.5f, -1, 2);
    if (nearFirst) m.groups = {nearSquare, farSquare};
    else m.groups = {farSquare, nearSquare};
    m.materials = {material("red", 1, 0, 0), material("blue", 0, 0, 1)};
    return m;
}

}  // namespace ViewTestMeshes
