#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MeshExtent.h"

// What the simulator holds after loading a mesh file: the groups it kept, with the vertex
// normals it uses (those given, and for vertices without a usable one the angle-weighted
// average the loader computes), and the material and texture lists. Coordinates are the
// file's: left-handed, x right, y up, z forward, metres.
struct Vec3 {
    float x = 0, y = 0, z = 0;
};

struct TexCoord {
    float u = 0, v = 0;
};

struct MeshGroup {
    int number = 0;                 // 1-based, as the file counts its groups
    std::uint64_t geomLine = 0;     // the line of its GEOM in the file, 1-based
    std::string label;              // its LABEL text, empty without one
    int material = 0;               // MATERIAL index as read: 0 default, 1-based into materials
    int texture = 0;                // TEXTURE index as read: 0 none, 1-based into textures
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;      // one per position
    std::vector<TexCoord> texCoords;  // one per position: u and v as read, 0 where the line has none
    std::uint32_t flags = 0;        // FLAG as read
    // Three indices into positions per triangle, in the order the simulator draws them (after
    // FLIP). Triangles with an index the group does not hold, or with a vertex that is not a
    // finite point, are left out.
    std::vector<std::uint32_t> indices;
};

struct MeshMaterial {
    std::string name;
    float diffuse[4] = {1, 1, 1, 1};  // r g b a
    float ambient[4] = {}, specular[4] = {}, emissive[4] = {};
    float power = 0;  // of the specular highlight
};

struct MeshTexture {
    std::string name;      // as listed ("0" for none)
    bool dynamic = false;  // the D flag after the name
};

struct MeshModel {
    bool loads = false;  // false: the simulator loads no mesh at all from this file
    std::vector<MeshGroup> groups;
    std::vector<MeshMaterial> materials;
    std::vector<MeshTexture> textures;
    MeshExtent extent;  // of every vertex read, as the check measures it
};
