// Writes seed inputs that the project's own code makes: synthetic meshes of a few sizes, as
// exporters write them, in LF and in the listener's CR LF. Usage: fuzz_seeds FOLDER
#include <cstdio>
#include <fstream>
#include <string>

#include "PieceCutter.h"
#include "SyntheticMesh.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    for (std::size_t bytes : {200, 1500, 6000}) {
        const std::string mesh = makeSyntheticMesh(bytes);
        std::ofstream(folder + "/synthetic-" + std::to_string(bytes) + ".msh", std::ios::binary) << mesh;
        std::ofstream(folder + "/synthetic-" + std::to_string(bytes) + "-crlf.msh", std::ios::binary)
            << PieceCutter::toCrLf(mesh);
    }
    return 0;
}
