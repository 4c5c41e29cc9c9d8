#include "ViewGeometry.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "ViewColours.h"
#include "VectorMath.h"

namespace {

std::uint32_t channel(float value) {
    if (!(value > 0)) return 0;
    return static_cast<std::uint32_t>(std::lround(std::min(value, 1.0f) * 255.0f));
}

std::uint32_t shaded(std::uint32_t colour, float light) {
    std::uint32_t result = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        float c = static_cast<float>((colour >> shift) & 0xFF) * light;
        std::uint32_t v = std::max(ViewColours::darkest, static_cast<std::uint32_t>(std::lround(c)));
        result |= std::min(v, 255u) << shift;
    }
    return result;
}

void appendShades(std::vector<std::uint32_t>& shades, std::uint32_t colour) {
    for (int i = 0; i < 256; ++i)
        shades.push_back(shaded(colour, ViewColours::ambient + (1 - ViewColours::ambient) * (i / 255.0f)));
}

}  // namespace

std::uint32_t groupColour(const MeshModel& model, const MeshGroup& group) {
    if (group.material < 1 || static_cast<std::size_t>(group.material) > model.materials.size())
        return ViewColours::defaultMaterial;
    const float* d = model.materials[static_cast<std::size_t>(group.material) - 1].diffuse;
    return channel(d[0]) << 16 | channel(d[1]) << 8 | channel(d[2]);
}

ViewGeometry makeViewGeometry(const MeshModel& model) {
    ViewGeometry g;
    std::size_t vertices = 0, indices = 0;
    for (const MeshGroup& group : model.groups) {
        vertices += group.positions.size();
        indices += group.indices.size();
    }
    g.positions.reserve(vertices);
    g.normals.reserve(vertices);
    g.triangles.reserve(indices);
    g.triangleGroup.reserve(indices / 3);
    g.groupShade.reserve(model.groups.size());
    g.groupCount = model.groups.size();
    std::unordered_map<std::uint32_t, std::uint32_t> tableOfColour;  // one shade table per colour

    for (std::size_t groupIndex = 0; groupIndex < model.groups.size(); ++groupIndex) {
        const MeshGroup& group = model.groups[groupIndex];
        const auto first = static_cast<std::uint32_t>(g.positions.size());
        const std::size_t count = group.positions.size();
        for (std::size_t i = 0; i < count; ++i) {
            Vec3 p = group.positions[i];
            g.positions.push_back(p);
            Vec3 n = i < group.normals.size() ? group.normals[i] : Vec3{};
            g.normals.push_back(isFinite(n) ? normalized(n) : Vec3{});
            if (isFinite(p)) g.bounds.add(p);
        }
        for (std::size_t t = 0; t + 2 < group.indices.size(); t += 3) {
            const std::uint32_t* index = &group.indices[t];
            if (index[0] >= count || index[1] >= count || index[2] >= count) continue;
            if (!isFinite(group.positions[index[0]]) || !isFinite(group.positions[index[1]]) ||
                !isFinite(group.positions[index[2]]))
                continue;
            for (int k = 0; k < 3; ++k) g.triangles.push_back(first + index[k]);
            g.triangleGroup.push_back(static_cast<std::uint32_t>(groupIndex));
        }
        const auto table = tableOfColour.try_emplace(groupColour(model, group), static_cast<std::uint32_t>(tableOfColour.size()));
        if (table.second) appendShades(g.shades, table.first->first);
        g.groupShade.push_back(table.first->second);
    }

    g.fixedPerMetre = static_cast<float>(1 << 20) / std::max(g.bounds.radius(), 1e-3f);
    const Vec3 centre = g.bounds.centre();
    g.fixed.reserve(g.positions.size());
    for (std::size_t i = 0; i < g.positions.size(); ++i) {
        ViewGeometry::Fixed f = {};
        if (isFinite(g.positions[i])) {
            const Vec3 p = (g.positions[i] - centre) * g.fixedPerMetre;
            const Vec3 n = g.normals[i] * 16384.0f;
            f = {static_cast<std::int32_t>(std::lround(p.x)), static_cast<std::int32_t>(std::lround(p.y)),
                 static_cast<std::int32_t>(std::lround(p.z)), static_cast<std::int16_t>(std::lround(n.x)),
                 static_cast<std::int16_t>(std::lround(n.y)), static_cast<std::int16_t>(std::lround(n.z))};
        }
        g.fixed.push_back(f);
    }
    return g;
}
