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

// A vertex's texture coordinates as the loader reads them: u from the image's left, v from
// its top row; 0 where the vertex line has none.
struct TexCoord {
    float u = 0, v = 0;
};

struct MeshGroup {
    using TexCoord = ::TexCoord;
    int number = 0;                 // 1-based, as the file counts its groups
    std::uint64_t geomLine = 0;     // the line of its GEOM in the file, 1-based
    std::string label;              // its LABEL text, empty without one
    // MATERIAL and TEXTURE as the loader takes them: the index read, or without such a line
    // the previous group's (the first group's: 0).
    int material = 0;               // 0 default, 1-based into materials
    int texture = 0;                // 0 none, 1-based into textures
    std::uint32_t flags = 0;        // FLAG, hexadecimal in the file; 0 without one
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;      // one per position
    std::vector<TexCoord> texCoords;  // one per position
    // Three indices into positions per triangle, in the order the simulator draws them (after
    // FLIP). Triangles with an index the group does not hold, or with a vertex that is not a
    // finite point, are left out.
    std::vector<std::uint32_t> indices;
};

// A material of the list, its colours as its lines give them (numbers a line lacks are 0, as
// is all of a material whose block the text does not hold).
struct MeshMaterial {
    std::string name;
    float diffuse[4] = {1, 1, 1, 1};  // r g b a
    float ambient[4] = {0, 0, 0, 0};
    float specular[4] = {0, 0, 0, 0};
    float emissive[4] = {0, 0, 0, 0};
    float power = 0;                  // the specular line's fifth number
};

// A name of the texture list ("0" for none) and its D flag (a texture drawn onto at run time).
struct MeshTexture {
    std::string name;
    bool dynamic = false;
};

struct MeshModel {
    bool loads = false;  // false: the simulator loads no mesh at all from this file
    std::vector<MeshGroup> groups;
    std::vector<MeshMaterial> materials;
    std::vector<MeshTexture> textures;  // file names as listed
    MeshExtent extent;  // of every vertex read, as the check measures it
};
