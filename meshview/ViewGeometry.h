#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Bounds.h"
#include "MeshModel.h"

// A loaded mesh as the renderer draws it: the vertices of every group the simulator kept in
// one list, the triangles with the group each belongs to, and per group its colour shaded
// from the ambient level (index 0) to full light (index 255), one table per colour.
struct ViewGeometry {
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;                 // unit length; zero where the mesh's normal is zero
    std::vector<std::uint32_t> triangles;      // three indices into positions per triangle
    std::vector<std::uint32_t> triangleGroup;  // index into MeshModel::groups, per triangle
    std::vector<std::uint32_t> shades;         // 256 colours (0xRRGGBB) per colour the groups have
    std::vector<std::uint32_t> groupShade;     // per group, which 256 of shades are its own
    Bounds bounds;                             // of every vertex with finite coordinates
    std::size_t groupCount = 0;

    // The same vertices in integers, for the renderer: positions relative to the centre of the
    // bounds in units of fixedPerMetre (the bounds' radius is 2^20 of them), normals scaled
    // to 2^14. A vertex without finite coordinates is at the centre, its normal zero.
    struct Fixed {
        std::int32_t x, y, z;
        std::int16_t nx, ny, nz;
    };
    std::vector<Fixed> fixed;
    float fixedPerMetre = 1;

    std::size_t triangleCount() const { return triangleGroup.size(); }
    const std::uint32_t* groupShades(std::uint32_t group) const { return shades.data() + 256 * groupShade[group]; }
};

// Triangles with a vertex the simulator cannot place (a coordinate that is not a finite
// number) are left out, as are those vertices from the bounds.
ViewGeometry makeViewGeometry(const MeshModel& model);

// The diffuse colour the simulator gives the group: its material's, or the default
// material's when its index is 0 or not in the list.
std::uint32_t groupColour(const MeshModel& model, const MeshGroup& group);
