#include "SyntheticMesh.h"

#include <cstdio>
#include <vector>

namespace {

std::string group(int index, int vertices) {
    std::string g = "LABEL part" + std::to_string(index) + "\nMATERIAL 1\nTEXTURE 0\n";
    g += "GEOM " + std::to_string(vertices) + " " + std::to_string(vertices - 2) + " ; part\n";
    char line[128];
    for (int v = 0; v < vertices; ++v) {
        double a = v * 0.37 + index, b = v * -0.11, c = (v % 17) * 1.25;
        std::snprintf(line, sizeof line, "%.4f %.4f %.4f %.4f %.4f %.4f %.4f %.4f\n",
                      a, b, -c, 0.0, 1.0, -0.0, (v % 2) * 1.0, (v % 3) * 0.5);
        g += line;
    }
    for (int t = 0; t < vertices - 2; ++t)
        g += std::to_string(t) + " " + std::to_string(t + 1) + " " + std::to_string(t + 2) + "\n";
    return g;
}

}  // namespace

std::string makeSyntheticMesh(std::size_t approxBytes) {
    std::vector<std::string> groups;
    std::size_t total = 0;
    for (int i = 0; total < approxBytes || groups.empty(); ++i) {
        groups.push_back(group(i, 200));
        total += groups.back().size();
    }
    std::string mesh = "MSHX1\nGROUPS " + std::to_string(groups.size()) + "\n";
    for (const auto& g : groups) mesh += g;
    mesh += "MATERIALS 1\nhull\nMATERIAL hull\n1 1 1 1\n1 1 1 1\n0 0 0 1 10\n0 0 0 1\n";
    mesh += "TEXTURES 0\n";
    return mesh;
}
