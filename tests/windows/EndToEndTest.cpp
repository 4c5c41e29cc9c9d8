// Tessoran.exe driven as a user drives it, with the stand-in listener as the modelling program.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Forwarding.h"
#include "OneInstance.h"
#include "PaintCounter.h"
#include "PieceCutter.h"
#include "ProgramDriver.h"
#include "SyntheticMesh.h"
#include "TestThread.h"
#include "Transcript.h"
#include "ViewColours.h"
#include "res/resource.h"

namespace {

const std::string found = "gmax MAXScript Listener window found.\r\n";
const std::string waiting = "Waiting for *.msh file start...\r\n";
const std::string done = "\r\nDone\r\n\r\n";

std::string progress(int lines) { return "Grabbing... " + (lines ? std::to_string(lines) + " Lines read" : ""); }

struct Expected {
    std::vector<TranscriptPiece> transcript;
    std::string mesh;
    int lines;
    std::string ending;  // the mesh check's line and the end notice
};

Expected expectedFor(const TranscriptOptions& options) {
    Expected e;
    std::string error;
    EXPECT_TRUE(buildTranscript(options, e.transcript, error)) << error;
    e.mesh = transcriptMesh(e.transcript);
    e.lines = transcriptProgressCount(e.transcript);
    e.ending = "\r\n" + transcriptCheckLine(e.transcript) + done;
    return e;
}

// Grab with the listener up and a new file named: the capture waits. (The file is new: one
// left by an earlier run under a reused process id would bring the overwrite question.)
void grabInto(ProgramDriver& program, const std::string& path, const std::string& logBefore = "") {
    ASSERT_EQ(program.grabInto(path, logBefore), logBefore + found + waiting);
}

// A window of the test that has the focus, as the modelling program has while it prints.
struct ForegroundWindow {
    ForegroundWindow() {
        hwnd = CreateWindowExA(0, "STATIC", "elsewhere", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(hwnd);
    }
    ~ForegroundWindow() { DestroyWindow(hwnd); }
    HWND hwnd;
};

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(program.window, nullptr) << "Tessoran.exe did not come up"; }
    void grabInto(const std::string& path, const std::string& logBefore = "") {
        ::grabInto(program, path, logBefore);
    }
    // Grabs a synthetic mesh of about bytes bytes whole: the log gains the capture's lines
    // after logBefore, and the file is the mesh.
    void captureWholeMesh(std::size_t bytes, const std::string& logBefore = "") {
        TranscriptOptions options;
        options.syntheticBytes = bytes;
        Expected e = expectedFor(options);
        StandInProcess listener("--synthetic " + std::to_string(bytes));
        ASSERT_NE(listener.window, nullptr);
        const std::string path = temporaryPath("whole-" + std::to_string(bytes) + ".msh");
        grabInto(path, logBefore);
        EXPECT_EQ(listener.printTranscript(), static_cast<LRESULT>(e.transcript.size()));
        const std::string final = logBefore + found + waiting + progress(e.lines) + e.ending;
        EXPECT_EQ(program.waitForLog(final), final);
        EXPECT_TRUE(readBytes(path) == e.mesh) << "file differs from the mesh";
        DeleteFileA(path.c_str());
    }
    ProgramDriver program;
};

// The road the shipped 32-bit build takes under emulation, where every start and every send
// is slow: the tests of these two suites (Win32Road and Win32RoadAlone, which starts its
// programs itself) carry the label Win32Road. The 64-bit build runs every test.
class Win32Road : public EndToEnd {};

TEST_F(Win32Road, GrabWithoutListenerLogsOnlyTheNotFoundLine) {
    program.clickGrab();
    const std::string line = "Error ! gmax MAXScript Listener window not found.\r\n";
    EXPECT_EQ(program.waitForLog(line), line);
    EXPECT_EQ(program.saveDialog(500), nullptr);
}

TEST_F(Win32Road, CancelledSaveLeavesTheCaptureIdle) {
    StandInProcess listener("--synthetic 2000");
    ASSERT_NE(listener.window, nullptr);
    program.clickGrab();
    program.cancelSave();
    EXPECT_EQ(program.waitForLog(found), found);
    EXPECT_GT(listener.printTranscript(), 0);  // hooked and forwarded, but ignored
    Sleep(200);
    EXPECT_EQ(program.log(), found);
}

TEST_F(Win32Road, WholeCaptureWritesTheMeshAndTheExactLog) {
    TranscriptOptions options;
    options.syntheticBytes = 30000;
    Expected e = expectedFor(options);
    StandInProcess listener("--synthetic 30000");
    ASSERT_NE(listener.window, nullptr);
    const std::string path = temporaryPath("whole.msh");
    grabInto(path);
    EXPECT_EQ(listener.printTranscript(), static_cast<LRESULT>(e.transcript.size()));
    EXPECT_EQ(e.ending, "\r\nMesh: 3 groups, 600 vertices, 594 triangles, 1 material, 0 textures, 75.63 x 21.89 x 20.00 m" + done);
    const std::string final = found + waiting + progress(e.lines) + e.ending;
    EXPECT_EQ(program.waitForLog(final), final);
    EXPECT_TRUE(readBytes(path) == e.mesh) << "file differs from the mesh";

    // Pieces after Done are ignored.
    listener.printTranscript();
    Sleep(200);
    EXPECT_EQ(program.log(), final);
    EXPECT_TRUE(readBytes(path) == e.mesh);
    DeleteFileA(path.c_str());
}

TEST_F(EndToEnd, RealMeshInLinesAndInChunksWithSecondPanePieces) {
    std::filesystem::path mesh = std::filesystem::path(TESSORAN_SOURCE_DIR) / ".." / "shared" / "meshes" / "dg_2dpanel0.msh";
    if (!std::filesystem::exists(mesh)) GTEST_SKIP() << "no real meshes at " << mesh.parent_path() << "; skipped";
    std::string log;
    for (const char* cut : {"lines", "chunks"}) {
        TranscriptOptions options;
        options.meshFile = mesh.string();
        options.cut = cut;
        options.seed = 11;
        options.secondPaneEvery = 13;
        Expected e = expectedFor(options);
        EXPECT_EQ(e.ending, "\r\nMesh: 12 groups, 927 vertices, 472 triangles, 0 materials, 3 textures, 1280.00 x 589.00 x 0.00 m" + done);
        StandInProcess listener("--mesh \"" + options.meshFile + "\" --cut " + cut + " --seed 11 --second-pane 13");
        ASSERT_NE(listener.window, nullptr);
        const std::string path = temporaryPath(std::string(cut) + ".msh");
        grabInto(path, log);
        EXPECT_EQ(listener.printTranscript(), static_cast<LRESULT>(e.transcript.size()));
        log += found + waiting + progress(e.lines) + e.ending;
        EXPECT_EQ(program.waitForLog(log), log) << cut;
        EXPECT_TRUE(readBytes(path) == e.mesh) << cut << ": file differs from the mesh";
        DeleteFileA(path.c_str());
    }
}

// A script's message printed into the vertex list: the file is the listener's text byte for
// byte, and the log says which line Orbiter will misread.
TEST_F(EndToEnd, DamagedMeshEndsWithItsWarning) {
    const std::string source = temporaryPath("damaged-source.msh");
    std::ofstream(source, std::ios::binary) << "MSHX1\nGROUPS 1\nGEOM 3 1\n0 0 0\n-- Error: no UV map\n0 1 0\n0 1 2\n";
    StandInProcess listener("--mesh \"" + source + "\"");
    ASSERT_NE(listener.window, nullptr);
    const std::string path = temporaryPath("damaged.msh");
    grabInto(path);
    listener.printTranscript();
    const std::string final = found + waiting + progress(6) +
                              "\r\nWarning ! Line 5: not a vertex; the rest of group 1 is shifted" + done;
    EXPECT_EQ(program.waitForLog(final), final);
    DeleteFileA(source.c_str());
    DeleteFileA(path.c_str());
}

// Saved below a Meshes folder, the texture files are looked for beside it, in Textures2 and
// Textures: the log names the one that is in neither (the group's: a listed texture that no
// group uses is not looked for).
TEST_F(EndToEnd, MeshBelowMeshesFolderNamesTheMissingTextureFile) {
    namespace fs = std::filesystem;
    const fs::path simulator = temporaryPath("Sim");
    fs::remove_all(simulator);
    for (const char* folder : {"Meshes/Ship", "Textures/Ship", "Textures2"}) fs::create_directories(simulator / folder);
    std::ofstream(simulator / "Textures/Ship/hull.dds") << "dds";
    std::ofstream(simulator / "Textures2/wing.dds") << "dds";
    const std::string source = temporaryPath("textured-source.msh");
    std::ofstream(source, std::ios::binary) << "MSHX1\nGROUPS 1\nTEXTURE 3\nGEOM 3 1\n0 0 0 0 0 1\n1 0 0 0 0 1\n"
                                               "0 1 0 0 0 1\n0 1 2\nMATERIALS 0\nTEXTURES 3\nShip\\hull.dds\n"
                                               "wing.dds D\nShip\\tail.dds\n";
    StandInProcess listener("--mesh \"" + source + "\"");
    ASSERT_NE(listener.window, nullptr);
    grabInto((simulator / "Meshes" / "Ship" / "ship.msh").string());
    listener.printTranscript();
    const std::string final = found + waiting + progress(12) + "\r\nWarning ! Line 13: texture Ship\\tail.dds is in " +
                              "neither Textures2 nor Textures; Orbiter draws its groups untextured" + done;
    int broken = 0;
    EXPECT_EQ(program.waitForLog(final, 15000, &broken), final);
    EXPECT_GT(broken, 0) << "the warning is wider than the pane: it is broken at a blank to fit";
    DeleteFileA(source.c_str());
    fs::remove_all(simulator);
}

// While pieces come the log pane is painted at screen rate, not per piece, and an export
// that stops halfway still has its last progress on screen within 100 ms.
TEST_F(EndToEnd, LogPaneIsPaintedAtScreenRateWhileGrabbing) {
    TranscriptOptions options;
    options.syntheticBytes = 60000;
    options.endMarker = false;
    Expected e = expectedFor(options);
    StandInProcess listener("--synthetic 60000 --no-end");
    ASSERT_NE(listener.window, nullptr);
    const std::string path = temporaryPath("painted.msh");
    grabInto(path);
    ASSERT_TRUE(startCountingPaints(program.logControl()));
    listener.printTranscript();
    const DWORD lastPiece = GetTickCount();
    markPaintTime();
    Sleep(300);
    const long paints = paintsCounted();
    const DWORD painted = firstPaintTickAfterMark();
    stopCountingPaints();
    EXPECT_EQ(program.log(), found + waiting + progress(e.lines));
    EXPECT_LT(paints, static_cast<long>(e.transcript.size() / 4)) << e.transcript.size() << " pieces";
    ASSERT_NE(painted, 0u) << "the last progress was never painted";
    EXPECT_LE(painted - lastPiece, 100u) << "painted " << painted - lastPiece << " ms after the last piece";
    DeleteFileA(path.c_str());
}

// A long session: the log holds 30,000 characters of earlier captures (the edit control's
// default limit), and a new capture still logs every line.
TEST_F(EndToEnd, LogFullOfEarlierCapturesStillTakesEveryLine) {
    TranscriptOptions options;
    options.syntheticBytes = 3000;
    Expected e = expectedFor(options);
    std::string earlier;
    while (earlier.size() < 30000) earlier += found + waiting + progress(e.lines) + e.ending;
    earlier.resize(30000);
    HWND log = program.logControl();
    SendMessageA(log, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(earlier.c_str()));
    SendMessageA(log, EM_SETSEL, earlier.size(), earlier.size());
    ASSERT_EQ(program.log(), earlier);
    captureWholeMesh(3000, earlier);
}

// Started twice: the second program ends without a window of its own and brings the first,
// minimized behind another window, to the front; the first then grabs as before. A start
// also ends while the first hangs (its thread suspended), and the first comes up once it
// runs again.
TEST_F(Win32Road, SecondStartBringsTheFirstToTheFront) {
    ShowWindow(program.window, SW_MINIMIZE);
    ForegroundWindow elsewhere;
    ASSERT_EQ(GetForegroundWindow(), elsewhere.hwnd);
    ChildProcess second(tessoranDirectory() + "Tessoran.exe", "");
    ASSERT_TRUE(second.waitForExit(20000)) << "the second Tessoran did not end";
    EXPECT_EQ(second.findWindow("#32770", nullptr, nullptr, 0), nullptr);
    EXPECT_FALSE(IsIconic(program.window));
    EXPECT_EQ(GetForegroundWindow(), program.window);

    ShowWindow(program.window, SW_MINIMIZE);
    ASSERT_NE(SuspendThread(program.info.hThread), static_cast<DWORD>(-1));
    ChildProcess third(tessoranDirectory() + "Tessoran.exe", "");
    const bool ended = third.waitForExit(10000);
    ResumeThread(program.info.hThread);
    EXPECT_TRUE(ended) << "a start waited for the hung Tessoran";
    for (int i = 0; i < 100 && IsIconic(program.window); ++i) Sleep(50);
    EXPECT_FALSE(IsIconic(program.window));
    captureWholeMesh(2000);
}

TEST_F(EndToEnd, GrabWhileGrabbingKeepsThePartialFileAndWaitsAgain) {
    TranscriptOptions options;
    options.endMarker = false;
    Expected e = expectedFor(options);
    StandInProcess listener("--no-end");
    ASSERT_NE(listener.window, nullptr);
    const std::string first = temporaryPath("partial.msh"), second = temporaryPath("next.msh");
    grabInto(first);
    listener.printTranscript();
    const std::string grabbing = found + waiting + progress(e.lines);
    ASSERT_EQ(program.waitForLog(grabbing), grabbing);
    grabInto(second, grabbing);
    EXPECT_TRUE(readBytes(first) == e.mesh) << "the partial file lost bytes";
    EXPECT_EQ(readBytes(second), "");
    DeleteFileA(first.c_str());
    DeleteFileA(second.c_str());
}

// With "Grab Again After Done" on, one Grab catches two meshes printed one after the other:
// after the first Done the capture waits again at once, the file keeps the first mesh until
// the second starts and then holds the second (the shorter) alone. Switched off, the waiting
// ends without a word and the file is let go.
TEST_F(EndToEnd, GrabAgainAfterDoneCatchesTheNextMeshIntoTheSameFile) {
    TranscriptOptions firstOptions, secondOptions, bothOptions;
    firstOptions.syntheticBytes = 25000;
    secondOptions.syntheticBytes = 2000;
    Expected first = expectedFor(firstOptions), second = expectedFor(secondOptions);
    ASSERT_NE(first.ending, second.ending);
    const std::string source = temporaryPath("two-meshes.txt");
    std::ofstream(source, std::ios::binary) << makeSyntheticMesh(25000) << PieceCutter::endMarkerLine
                                            << makeSyntheticMesh(2000);
    bothOptions.meshFile = source;
    Expected both = expectedFor(bothOptions);  // what the listener prints
    std::size_t firstEnd = 0;
    while (firstEnd < both.transcript.size() && both.transcript[firstEnd].text != PieceCutter::endMarkerLine) ++firstEnd;
    ASSERT_LT(firstEnd, both.transcript.size());
    StandInProcess listener("--mesh \"" + source + "\"");
    ASSERT_NE(listener.window, nullptr);
    const std::string path = temporaryPath("again.msh");
    grabInto(path);
    SendMessageA(program.window, WM_SYSCOMMAND, IDM_GRABAGAIN, 0);

    EXPECT_EQ(listener.printBlock(0, firstEnd + 1), static_cast<LRESULT>(firstEnd + 1));
    const std::string afterFirst = found + waiting + progress(first.lines) + first.ending + waiting;
    EXPECT_EQ(program.waitForLog(afterFirst), afterFirst);
    EXPECT_TRUE(readBytes(path) == first.mesh) << "the first mesh is not kept while waiting";
    const std::size_t rest = both.transcript.size() - firstEnd - 1;
    EXPECT_EQ(listener.printBlock(firstEnd + 1, rest), static_cast<LRESULT>(rest));
    const std::string final = afterFirst + progress(second.lines) + second.ending + waiting;
    EXPECT_EQ(program.waitForLog(final), final);
    EXPECT_TRUE(readBytes(path) == second.mesh) << "file differs from the second mesh";

    SendMessageA(program.window, WM_SYSCOMMAND, IDM_GRABAGAIN, 0);
    EXPECT_EQ(program.log(), final);
    EXPECT_TRUE(DeleteFileA(path.c_str())) << "the file is still held open";
    DeleteFileA(source.c_str());
}

TEST_F(EndToEnd, ExistingFileIsTruncatedAfterTheOverwriteQuestion) {
    StandInProcess listener("--synthetic 1000");
    ASSERT_NE(listener.window, nullptr);
    const std::string path = temporaryPath("existing.msh");
    std::ofstream(path, std::ios::binary) << std::string(5000, 'x');
    program.clickGrab();
    program.saveAs(path);
    HWND question = program.ownedDialog(program.saveDialog(), nullptr);
    ASSERT_NE(question, nullptr) << "no overwrite question";
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    EXPECT_EQ(program.waitForLog(found + waiting), found + waiting);
    EXPECT_EQ(readBytes(path), "");
    DeleteFileA(path.c_str());
}

TEST_F(EndToEnd, FileHeldOpenWithoutSharingCannotBeOpened) {
    StandInProcess listener("--synthetic 1000");
    ASSERT_NE(listener.window, nullptr);
    const std::string path = temporaryPath("locked.msh");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    program.clickGrab();
    program.saveAs(path);
    if (HWND question = program.ownedDialog(program.saveDialog(2000), nullptr, 2000))
        PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    const std::string expected = found + "Error ! File could not be opened.\r\n";
    EXPECT_EQ(program.waitForLog(expected), expected);
    CloseHandle(held);
    DeleteFileA(path.c_str());
}


// A disk that fills up: one stop-icon box captioned "Tessoran", owned by the main window and in
// front, while the listener waits; the file keeps the whole pieces written before the failure
// and the log says it failed. A new Grab into a folder with space then captures a whole mesh.
TEST_F(EndToEnd, FullDiskStopsTheCaptureWithOneReportAndKeepsWholePieces) {
    char smallDisk[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("TESSORAN_SMALL_DISK", smallDisk, MAX_PATH))
        GTEST_SKIP() << "no small disk given (TESSORAN_SMALL_DISK); skipped";
    std::string folder = std::string("Z:") + smallDisk;
    for (char& c : folder) if (c == '/') c = '\\';
    const std::string path = folder + "\\full-" + std::to_string(GetCurrentProcessId()) + ".msh";

    TranscriptOptions options;
    options.syntheticBytes = 30000;
    options.cut = "groups";
    options.groupLines = 40;
    Expected e = expectedFor(options);
    StandInProcess listener("--synthetic 30000 --cut groups --group-lines 40");
    ASSERT_NE(listener.window, nullptr);
    grabInto(path);

    ForegroundWindow elsewhere;
    ASSERT_EQ(GetForegroundWindow(), elsewhere.hwnd);
    LRESULT printed = 0;
    TestThread printing([&] { printed = listener.printTranscript(); });
    HWND box = program.ownedDialog(program.window, "Tessoran", 60000);
    ASSERT_NE(box, nullptr) << "no error box owned by the main window";
    Sleep(300);
    EXPECT_EQ(GetForegroundWindow(), box) << "the error box is not in front";
    EXPECT_FALSE(printing.finishedWithin(0)) << "the listener went on while the error was on screen";
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(printing.finishedWithin(60000));
    EXPECT_EQ(printed, static_cast<LRESULT>(e.transcript.size()));
    EXPECT_EQ(program.ownedDialog(nullptr, "Tessoran", 1000), nullptr) << "a second error box";

    const std::string failed = "\r\nError ! File could not be written.\r\n\r\n";
    const std::string log = program.log();
    EXPECT_EQ(log.compare(0, (found + waiting).size(), found + waiting), 0) << log;
    ASSERT_GE(log.size(), failed.size());
    EXPECT_EQ(log.substr(log.size() - failed.size()), failed) << log;

    const std::string written = readBytes(path);
    std::size_t whole = 0;
    for (std::string_view piece : transcriptMeshPieces(e.transcript)) {
        if (whole + piece.size() > written.size()) break;
        whole += piece.size();
    }
    EXPECT_GT(written.size(), 8000u);
    EXPECT_EQ(written.size(), whole) << "the file ends inside a piece";
    EXPECT_TRUE(e.mesh.compare(0, written.size(), written) == 0) << "the file is not the start of the mesh";
    DeleteFileA(path.c_str());

    const std::string next = temporaryPath("after-full.msh");
    grabInto(next, log);
    listener.printTranscript();
    const std::string final = log + found + waiting + progress(e.lines) + e.ending;
    EXPECT_EQ(program.waitForLog(final), final);
    EXPECT_TRUE(readBytes(next) == e.mesh) << "the capture after the failure differs from the mesh";
    DeleteFileA(next.c_str());
}

TEST_F(Win32Road, ExitButtonEndsTheProgram) {
    PostMessageA(program.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(program.control(IDOK)));
    EXPECT_TRUE(program.waitForExit(10000));
}

TEST_F(EndToEnd, EscapeEndsTheProgram) {
    program.pressKey(program.control(IDOK), VK_ESCAPE);
    EXPECT_TRUE(program.waitForExit(10000));
}

TEST_F(EndToEnd, CloseBoxEndsTheProgram) {
    PostMessageA(program.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program.waitForExit(10000));
}

TEST_F(EndToEnd, EnterInTheLogStaysThereAndEnterOnExitEnds) {
    program.pressKey(program.logControl(), VK_RETURN);
    EXPECT_FALSE(program.waitForExit(700));
    program.pressKey(program.control(IDOK), VK_RETURN);
    EXPECT_TRUE(program.waitForExit(10000));
}

TEST_F(EndToEnd, SystemMenuItemOpensTheAboutBox) {
    PostMessageA(program.window, WM_SYSCOMMAND, IDM_ABOUTBOX | 3, 0);  // the low four bits do not matter
    HWND about = program.ownedDialog(program.window, "Info \xFC" "ber Tessoran");
    ASSERT_NE(about, nullptr);
    PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(program.running());
}

// The pixels of a window's client area as the screen shows them, 0xRRGGBB each, rows from the top.
std::vector<std::uint32_t> clientPixels(HWND window, int& width, int& height) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    width = client.right, height = client.bottom;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    for (auto& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

// After a grab the system menu's "Mesh View" opens a window owned by the main window,
// captioned with the file's name, that draws the mesh (the demo cube): lit faces, none
// magenta, on the background.
TEST_F(Win32Road, MeshViewShowsTheCapturedMesh) {
    TranscriptOptions options;
    options.meshFile = std::string(TESSORAN_SOURCE_DIR) + "/tools/demo/cube.msh";
    Expected e = expectedFor(options);
    StandInProcess listener("--mesh \"" + options.meshFile + "\"");
    ASSERT_NE(listener.window, nullptr);
    const std::string path = temporaryPath("viewed.msh");
    grabInto(path);
    listener.printTranscript();
    const std::string final = found + waiting + progress(e.lines) + e.ending;
    ASSERT_EQ(program.waitForLog(final), final);

    program.openMeshView();
    const std::string caption = "Mesh View - " + path.substr(path.find_last_of('\\') + 1);
    HWND view = program.findWindow(nullptr, caption.c_str(), nullptr);
    ASSERT_NE(view, nullptr) << "no window captioned " << caption;
    EXPECT_EQ(GetWindow(view, GW_OWNER), program.window);
    Sleep(500);  // painted

    int width = 0, height = 0;
    const std::vector<std::uint32_t> pixels = clientPixels(view, width, height);
    ASSERT_GT(width, 200);
    ASSERT_GT(height, 200);
    EXPECT_EQ(pixels[width - 1], ViewColours::background) << "the top right corner is not the background";
    const int pictureRows = height * 2 / 3;  // above the status line
    int lit = 0, magenta = 0;
    for (int y = 0; y < pictureRows; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
            const unsigned r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
            lit += r > 100 && g > 100 && b > 100;
            magenta += p == ViewColours::backFace;
        }
    EXPECT_GT(lit, width * pictureRows / 10) << "the mesh covers " << lit << " pixels";
    EXPECT_EQ(magenta, 0);
    DeleteFileA(path.c_str());
}

// A texture of one colour: an uncompressed DDS (A8R8G8B8) of 4 x 4 texels.
std::string oneColourDds(std::uint32_t rgb) {
    auto u32 = [](std::string& s, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
    };
    std::string d = "DDS ";
    const std::uint32_t header[18] = {124, 0x100F, 4, 4, 16, 0, 1};
    for (std::uint32_t v : header) u32(d, v);
    for (std::uint32_t v : {32u, 0x41u, 0u, 32u, 0xFF0000u, 0xFF00u, 0xFFu, 0xFF000000u, 0x1000u, 0u, 0u, 0u, 0u}) u32(d, v);
    for (int i = 0; i < 16; ++i) u32(d, 0xFF000000u | rgb);
    return d;
}

// A mesh saved below a Meshes folder beside a Textures folder is drawn with its texture:
// the demo cube, its texture one colour, shows that colour.
TEST_F(Win32Road, MeshViewDrawsTheTextureBesideTheMeshesFolder) {
    namespace fs = std::filesystem;
    const fs::path simulator = temporaryPath("TexturedSim");
    fs::remove_all(simulator);
    fs::create_directories(simulator / "Meshes");
    fs::create_directories(simulator / "Textures" / "demo");
    std::ofstream(simulator / "Textures" / "demo" / "cube.dds", std::ios::binary) << oneColourDds(0xE02010);
    TranscriptOptions options;
    options.meshFile = std::string(TESSORAN_SOURCE_DIR) + "/tools/demo/cube.msh";
    Expected e = expectedFor(options);
    StandInProcess listener("--mesh \"" + options.meshFile + "\"");
    ASSERT_NE(listener.window, nullptr);
    grabInto((simulator / "Meshes" / "cube.msh").string());
    listener.printTranscript();
    const std::string final = found + waiting + progress(e.lines) + e.ending;
    ASSERT_EQ(program.waitForLog(final), final);

    program.openMeshView();
    HWND view = program.findWindow(nullptr, "Mesh View - cube.msh", nullptr);
    ASSERT_NE(view, nullptr);
    // The textures are read on a thread of their own and drawn once read.
    int red = 0, width = 0, height = 0;
    for (int tries = 0; tries < 100 && red < 1000; ++tries) {
        Sleep(100);
        const std::vector<std::uint32_t> pixels = clientPixels(view, width, height);
        red = 0;
        for (std::uint32_t p : pixels) {
            const unsigned r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
            red += r > 80 && r > 3 * g && r > 3 * b;
        }
    }
    EXPECT_GE(red, 1000) << "the cube does not show its red texture";
    fs::remove_all(simulator);
}

}  // namespace

namespace {

// The listener keeps running, as the modelling program does for a whole session, while
// Tessoran is started, grabs, and ends: once by Exit while waiting, once killed. The program
// started after them writes each piece once.
TEST(Win32RoadAlone, EachPieceIsWrittenOnceAfterEarlierProgramsEnded) {
    TranscriptOptions options;
    options.syntheticBytes = 3000;
    Expected e = expectedFor(options);
    StandInProcess listener("--synthetic 3000");
    ASSERT_NE(listener.window, nullptr);
    const std::string path = temporaryPath("restart.msh");
    for (bool killed : {false, true}) {
        ProgramDriver earlier;
        ASSERT_NE(earlier.window, nullptr);
        grabInto(earlier, path);
        if (killed) TerminateProcess(earlier.info.hProcess, 1);
        else PostMessageA(earlier.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ASSERT_TRUE(earlier.waitForExit(10000));
    }
    ProgramDriver program;
    ASSERT_NE(program.window, nullptr);
    grabInto(program, path);
    EXPECT_EQ(listener.printTranscript(), static_cast<LRESULT>(e.transcript.size()));
    const std::string final = found + waiting + progress(e.lines) + e.ending;
    EXPECT_EQ(program.waitForLog(final), final);
    const std::string written = readBytes(path);
    EXPECT_EQ(written.size(), e.mesh.size());
    EXPECT_TRUE(written == e.mesh) << "file differs from the mesh";
    DeleteFileA(path.c_str());
}

INT_PTR CALLBACK noDialogHandling(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Every static text of the program's dialogs fits its box in the dialog's font.
TEST(Win32RoadAlone, EveryStaticTextOfTheDialogsFitsItsBox) {
    HMODULE program = LoadLibraryExA((tessoranDirectory() + "Tessoran.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    for (int id : {IDD_ABOUTBOX, IDD_MAIN_DIALOG}) {
        HWND dialog = CreateDialogParamA(program, MAKEINTRESOURCEA(id), nullptr, noDialogHandling, 0);
        ASSERT_NE(dialog, nullptr) << "dialog " << id;
        HDC dc = GetDC(dialog);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
        for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            char kind[16] = "";
            GetClassNameA(control, kind, sizeof kind);
            const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
            std::string text = windowText(control);
            if (lstrcmpiA(kind, "Static") != 0 || (style & SS_TYPEMASK) == SS_ICON || text.empty()) continue;
            RECT needed = {0, 0, 0, 0}, box;
            DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0));
            GetClientRect(control, &box);
            EXPECT_LE(needed.right, box.right) << '"' << text << "\" in dialog " << id;
        }
        ReleaseDC(dialog, dc);
        DestroyWindow(dialog);
    }
    FreeLibrary(program);
}

// A Tessoran started as administrator holds a mutex that a start with fewer rights may not
// open; that start counts it as running and ends. (Here the test holds the mutex, with an
// empty access list, which admits no other process.)
TEST(Win32RoadAlone, EndsWhenTheRunningOnesMutexMayNotBeOpened) {
    SECURITY_DESCRIPTOR descriptor;
    ACL noAccess;
    ASSERT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                InitializeAcl(&noAccess, sizeof noAccess, ACL_REVISION) &&
                SetSecurityDescriptorDacl(&descriptor, TRUE, &noAccess, FALSE));
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, &descriptor, FALSE};
    HANDLE mutex = CreateMutexA(&attributes, FALSE, OneInstance::mutexName);
    ASSERT_NE(mutex, nullptr);
    ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "a Tessoran is running";
    ChildProcess start(tessoranDirectory() + "Tessoran.exe", "");
    EXPECT_TRUE(start.waitForExit(15000)) << "it started as if no Tessoran were running";
    EXPECT_EQ(FindWindowA("#32770", Forwarding::mainWindowCaption), nullptr);
    CloseHandle(mutex);
}

// Without its hook library beside it the program does not start at all.
TEST(Win32RoadAlone, DoesNotStartWithoutTessolink) {
    const std::string folder = temporaryPath("alone");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string exe = folder + "\\Tessoran.exe";
    ASSERT_TRUE(CopyFileA((tessoranDirectory() + "Tessoran.exe").c_str(), exe.c_str(), FALSE));
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION info = {};
    std::string command = "\"" + exe + "\"";
    // The system creates the process and ends it while loading, before any of its code runs.
    ASSERT_TRUE(CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                               &info))
        << "error " << GetLastError();
    const bool ended = WaitForSingleObject(info.hProcess, 15000) == WAIT_OBJECT_0;
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    if (!ended) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    EXPECT_TRUE(ended) << "it started";
    EXPECT_EQ(code, 0xC0000135u);  // a DLL was not found
    EXPECT_EQ(FindWindowA("#32770", Forwarding::mainWindowCaption), nullptr);
    DeleteFileA(exe.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
