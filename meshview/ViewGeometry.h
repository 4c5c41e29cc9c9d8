#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Bounds.h"
#include "MeshModel.h"

// How the faces of one group are coloured: its material as the simulator takes it (the
// default material for index 0 or one past the list), its FLAG and its texture.
struct ViewSurface {
    float diffuse[4] = {1, 1, 1, 1};  // r g b a
    float ambient[3] = {1, 1, 1}, specular[3] = {}, emissive[3] = {};
    float power = 0;         // below 0.1: no highlight
    std::uint32_t flags = 0;
    int texture = -1;        // index into MeshModel::textures, -1 for none
    std::uint32_t colour = 0;  // the diffuse colour as 0xRRGGBB, for the untextured look
};

// The FLAG bits that change the picture.
namespace SurfaceFlags {
constexpr std::uint32_t hidden = 0x02;       // never drawn
constexpr std::uint32_t unlit = 0x04;        // texture times diffuse plus emissive
constexpr std::uint32_t textureWhite = 0x10; // the texture's colour taken as white, its alpha kept
constexpr std::uint32_t alphaTest = 0x20;    // texels under alpha 0.5 not drawn
}  // namespace SurfaceFlags

// A loaded mesh as the renderer draws it: the vertices of every group the simulator kept in
// one list, the triangles with the group each belongs to, and per group how it is coloured.
// The geometry holds the mesh in its own units: the metres of the file less the centre of
// its box, divided by the box's half diagonal, so that any mesh of finite numbers, of 1e-30
// m or of 1e30 m, is the same size to the camera and the renderer.
struct ViewGeometry {
    // Per vertex, the one copy of the mesh's vertices the view keeps (taken over from the
    // model where it can be): positions in the geometry's units, the centre at the origin;
    // unit normals in 16 bits, 2^14 for 1. A vertex without finite coordinates is at the
    // centre, its normal zero.
    struct Normal {
        static constexpr float one = 1 << 14;
        std::int16_t x, y, z;
    };
    std::vector<Vec3> positions;
    std::vector<Normal> normals;
    std::vector<TexCoord> texCoords;  // empty when every vertex has 0 and 0
    TexCoord texCoord(std::size_t vertex) const { return texCoords.empty() ? TexCoord{} : texCoords[vertex]; }
    std::vector<std::uint32_t> triangles;      // three indices into positions per triangle
    std::vector<std::uint32_t> triangleGroup;  // index into MeshModel::groups, per triangle
    std::vector<std::uint32_t> groupFirstVertex;  // per group and one past the last: its vertices
    std::vector<ViewSurface> surfaces;         // per group
    Bounds bounds;                             // of every vertex with finite coordinates, in units
    MeshExtent extent;                         // of the finite vertices, in metres
    double centre[3] = {};                     // metres = centre + metresPerUnit * units
    double metresPerUnit = 1;
    // The mesh has faces, but all its vertices stand at one point: nothing can be seen of it.
    bool pointLike = false;
    std::size_t heldVertices = 0, heldTriangles = 0;  // what the simulator holds, drawn or not

    std::size_t triangleCount() const { return triangleGroup.size(); }
    // A point of the mesh's metres in the geometry's units.
    Vec3 toUnits(Vec3 metres) const {
        return {static_cast<float>((metres.x - centre[0]) / metresPerUnit), static_cast<float>((metres.y - centre[1]) / metresPerUnit),
                static_cast<float>((metres.z - centre[2]) / metresPerUnit)};
    }
    std::size_t groupCount() const { return surfaces.size(); }
};

// Triangles with a vertex the simulator cannot place (a coordinate that is not a finite
// number) are left out, as are those vertices from the bounds. The model's vertices are
// taken over (a single group's) or taken group by group, so that two copies of them are never
// both whole in memory: afterwards the model keeps its groups' headers, labels and lists.
ViewGeometry makeViewGeometry(MeshModel& model);

// How the simulator colours the group: the material of its index, or the default.
ViewSurface groupSurface(const MeshModel& model, const MeshGroup& group);
