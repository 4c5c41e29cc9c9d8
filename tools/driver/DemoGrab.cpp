// The demo: grabs a mesh from the stand-in listener through Tessoran's window, as a user would,
// checks the file and opens the mesh view from the system menu. Leaves both windows open after
// Done until the file named by --hold appears (so a screenshot can be taken), then exits the
// program.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ProgramDriver.h"
#include "Transcript.h"

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: DemoGrab MESH OUTPUT.msh HOLD-FILE [MILLISECONDS-TO-SETTLE]\n");
        return 2;
    }
    const std::string mesh = argv[1], output = argv[2], hold = argv[3];
    // How long the mesh view may take to read its textures and paint before the screenshot.
    const DWORD settle = argc == 5 ? static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10)) : 1000;
    TranscriptOptions options;
    options.meshFile = mesh;
    std::vector<TranscriptPiece> transcript;
    std::string error;
    if (!buildTranscript(options, transcript, error)) {
        std::fprintf(stderr, "demo: %s\n", error.c_str());
        return 1;
    }

    StandInProcess listener("--mesh \"" + mesh + "\" --shown");
    ProgramDriver program;
    if (!listener.window || !program.window) {
        std::fprintf(stderr, "demo: the listener or Tessoran did not come up\n");
        return 1;
    }
    if (program.grabInto(output, "", 60000) != ProgramDriver::armedLines) {
        std::fprintf(stderr, "demo: Grab did not arm the capture; log:\n%s\n", program.log().c_str());
        return 1;
    }
    std::printf("demo: Grab armed, the listener prints %u pieces\n", static_cast<unsigned>(transcript.size()));
    std::fflush(stdout);
    listener.printTranscript();

    const std::string doneNotice = "\r\nDone\r\n\r\n";
    DWORD start = GetTickCount();
    std::string log;
    while (((log = program.log()).size() < doneNotice.size() ||
            log.compare(log.size() - doneNotice.size(), doneNotice.size(), doneNotice) != 0) &&
           GetTickCount() - start < 600000)  // a large mesh under emulation takes minutes
        Sleep(50);
    std::printf("demo: log of Tessoran:\n%s", log.c_str());
    const std::string expected = transcriptMesh(transcript);
    const bool same = readBytes(output) == expected;
    std::printf("demo: %s %s the mesh byte for byte (%u bytes)\n", output.c_str(), same ? "equals" : "DIFFERS FROM",
                static_cast<unsigned>(expected.size()));
    program.openMeshView();
    const std::string name = output.substr(output.find_last_of("\\/") + 1);
    const bool viewed = program.findWindow(nullptr, ("Mesh View - " + name).c_str(), nullptr, 60000) != nullptr;
    std::printf("demo: %s\n", viewed ? "the mesh view shows the file" : "THE MESH VIEW DID NOT OPEN");
    Sleep(settle);  // painted, with its textures
    std::printf("demo: ready for the screenshot\n");
    std::fflush(stdout);

    for (int i = 0; i < 600 && !fileExists(hold); ++i) Sleep(100);
    PostMessageA(program.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    program.waitForExit(10000);
    return same && viewed ? 0 : 1;
}
