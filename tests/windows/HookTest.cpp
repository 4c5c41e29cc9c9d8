// The hook library on the real platform: a hooked listener thread's EM_REPLACESEL texts
// reach the window with the main window's caption, in order and byte for byte.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ListenerWindow.h"
#include "OwnWindow.h"
#include "PieceCutter.h"
#include "ReceiverWindow.h"
#include "StandInProcess.h"
#include "TestThread.h"
#include "Tessolink.h"
#include "Transcript.h"

namespace {

// Leaves ERROR_INVALID_WINDOW_HANDLE set, as code of the modelling program may when another
// thread sends its thread a message while that thread waits in a send of its own.
LRESULT CALLBACK leaveInvalidHandleError(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP) return DefWindowProcA(hwnd, message, wParam, lParam);
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
}

// A listener window on a thread of its own, running a plain GetMessage loop, with a window on
// the same thread that leaves an error behind when it is sent WM_APP.
class ListenerThread {
public:
    ListenerThread() {
        HANDLE up = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread = std::make_unique<TestThread>([this, up] {
            ListenerWindow window;
            errorLeaver = createOwnWindow({"TessoranTestErrorLeaver", leaveInvalidHandleError}, "", 0, {0, 0, 0, 0},
                                          HWND_MESSAGE);
            listener = &window;
            SetEvent(up);
            MSG msg;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
            DestroyWindow(errorLeaver);
            listener = nullptr;
        });
        WaitForSingleObject(up, INFINITE);
        CloseHandle(up);
    }
    ~ListenerThread() {
        PostMessageA(listener->window(), WM_CLOSE, 0, 0);
        thread->join();
    }
    DWORD threadId() const { return GetWindowThreadProcessId(output(), nullptr); }
    HWND output() const { return GetWindow(listener->window(), GW_CHILD); }
    HWND secondPane() const { return listener->pane(1); }
    // Prints the pieces from inside the listener's loop; this thread handles the forwarded
    // pieces while it waits.
    // Returns the number of pieces printed that kept the thread's last error.
    std::size_t print(const std::vector<TranscriptPiece>& pieces) {
        return static_cast<std::size_t>(
            SendMessageA(listener->window(), ListenerWindow::printPieces, 0, reinterpret_cast<LPARAM>(&pieces)));
    }
    // Handled on the listener thread, where the hook sees it.
    void send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        SendMessageA(window, message, wParam, lParam);
    }
    std::string outputText() const { return listener->paneText(0); }
    HWND errorLeavingWindow() const { return errorLeaver; }

private:
    ListenerWindow* listener = nullptr;
    HWND errorLeaver = nullptr;
    std::unique_ptr<TestThread> thread;
};

class HookTest : public ::testing::Test {
protected:
    void TearDown() override { RemoveHook(); }
    std::unique_ptr<ReceiverWindow> receiver = std::make_unique<ReceiverWindow>();
};

std::string withNul(const std::string& text) { return text + '\0'; }

TEST_F(HookTest, ForwardsEveryPieceInOrderWithItsExactBytes) {
    ListenerThread listener;
    ASSERT_TRUE(SetHook(listener.threadId()));
    std::string large(70000, 'v');
    for (std::size_t i = 0; i < large.size(); i += 100) large[i] = '\n';
    const std::vector<TranscriptPiece> pieces = {
        {0, "MSHX1\r\n"}, {0, ""}, {0, "GEOM 4 2\r\n"}, {0, large}, {0, "\xE4\xF6\xFC high bytes\r\n"}};
    EXPECT_EQ(listener.print(pieces), pieces.size()) << "the hook changed the listener thread's last error";

    ASSERT_EQ(receiver->pieces.size(), pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const auto& got = receiver->pieces[i];
        EXPECT_EQ(got.source, listener.output()) << i;
        EXPECT_EQ(got.dataId, 0u) << i;
        EXPECT_EQ(got.size, pieces[i].text.size() + 1) << i;
        EXPECT_TRUE(got.bytes == withNul(pieces[i].text)) << i;
    }
    EXPECT_EQ(receiver->pieces[1].size, 1u);
}

TEST_F(HookTest, OtherMessagesAndNullTextPassOnUntouched) {
    ListenerThread listener;
    ASSERT_TRUE(SetHook(listener.threadId()));
    listener.send(listener.output(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("set by WM_SETTEXT"));
    listener.send(listener.output(), EM_SETSEL, 0, -1);
    // A null text goes to the top window: an edit control would dereference it.
    listener.send(GetParent(listener.output()), EM_REPLACESEL, 0, 0);
    EXPECT_TRUE(receiver->pieces.empty());
    EXPECT_EQ(listener.outputText(), "set by WM_SETTEXT");
}

TEST_F(HookTest, SecondPaneIsForwardedWithItsOwnHandle) {
    ListenerThread listener;
    ASSERT_TRUE(SetHook(listener.threadId()));
    listener.print({{1, "other pane\r\n"}, {0, "output\r\n"}});
    ASSERT_EQ(receiver->pieces.size(), 2u);
    EXPECT_EQ(receiver->pieces[0].source, listener.secondPane());
    EXPECT_NE(listener.secondPane(), listener.output());
    EXPECT_EQ(receiver->pieces[1].source, listener.output());
}

TEST_F(HookTest, SecondSetHookReplacesTheFirstAndZeroInstallsNothing) {
    ListenerThread first, second;
    ASSERT_TRUE(SetHook(first.threadId()));
    ASSERT_TRUE(SetHook(second.threadId()));
    first.print({{0, "first\r\n"}});
    second.print({{0, "second\r\n"}});
    ASSERT_EQ(receiver->pieces.size(), 1u);  // one hook: exactly one copy, from the second thread
    EXPECT_EQ(receiver->pieces[0].bytes, withNul("second\r\n"));

    EXPECT_FALSE(SetHook(0));  // also removes the hook on the second thread
    second.print({{0, "unhooked\r\n"}});
    EXPECT_EQ(receiver->pieces.size(), 1u);
    RemoveHook();
    RemoveHook();  // without a hook: harmless
}

// Every hook of this library in one thread's chain runs the same procedure, each from inside
// the one before; a message must still be forwarded once.
TEST_F(HookTest, TwoHooksOfTheLibraryOnOneThreadForwardEachPieceOnce) {
    ListenerThread listener;
    ChildProcess holder(programDirectory() + "HookHolder.exe", std::to_string(listener.threadId()));
    ASSERT_NE(holder.findWindow(nullptr, "Tessolink hook holder", nullptr), nullptr) << "the other hook was not set";
    ASSERT_TRUE(SetHook(listener.threadId()));
    listener.print({{0, "once\r\n"}});
    ASSERT_EQ(receiver->pieces.size(), 1u);
    EXPECT_EQ(receiver->pieces[0].bytes, withNul("once\r\n"));
    PostMessageA(holder.findWindow(nullptr, "Tessolink hook holder", nullptr), WM_CLOSE, 0, 0);
}

void expectForwardedAcrossProcesses(ReceiverWindow& receiver, const TranscriptOptions& options,
                                    const std::string& commandLine) {
    std::vector<TranscriptPiece> expected;
    std::string error;
    ASSERT_TRUE(buildTranscript(options, expected, error)) << error;

    StandInProcess standIn(commandLine);
    ASSERT_NE(standIn.window, nullptr) << "the stand-in listener did not come up";
    HWND secondPane = GetWindow(standIn.output(), GW_HWNDNEXT);
    ASSERT_TRUE(SetHook(GetWindowThreadProcessId(standIn.output(), nullptr)));
    EXPECT_EQ(standIn.printTranscript(), static_cast<LRESULT>(expected.size()));

    ASSERT_EQ(receiver.pieces.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(receiver.pieces[i].source, expected[i].pane == 0 ? standIn.output() : secondPane) << i;
        ASSERT_TRUE(receiver.pieces[i].bytes == withNul(expected[i].text)) << i;
    }
}

TEST_F(HookTest, ForwardsAcrossProcessesFromTheStandInListener) {
    TranscriptOptions options;
    options.syntheticBytes = 6000;
    options.secondPaneEvery = 10;
    expectForwardedAcrossProcesses(*receiver, options, "--synthetic 6000 --second-pane 10");
}

TEST_F(HookTest, ForwardsARealMeshInChunksAcrossProcesses) {
    std::filesystem::path mesh = std::filesystem::path(TESSORAN_SOURCE_DIR) / ".." / "shared" / "meshes" / "D3D9Arrow.msh";
    if (!std::filesystem::exists(mesh)) GTEST_SKIP() << "no real meshes at " << mesh.parent_path() << "; skipped";
    TranscriptOptions options;
    options.meshFile = mesh.string();
    options.cut = "chunks";
    options.seed = 5;
    options.secondPaneEvery = 7;
    expectForwardedAcrossProcesses(*receiver, options,
                                   "--mesh \"" + options.meshFile + "\" --cut chunks --seed 5 --second-pane 7");
}

std::string smallMeshFile() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "tessoran-small.msh";
    std::ofstream(path, std::ios::binary) << "MSHX1\nGROUPS 0\nMATERIALS 0\nTEXTURES 0\n";
    return path;
}

TEST_F(HookTest, WithoutReceiverNothingIsForwardedAndTheListenerStillShowsTheText) {
    receiver.reset();
    const std::string mesh = smallMeshFile();
    StandInProcess standIn("--no-chatter --mesh \"" + mesh + "\"");
    ASSERT_NE(standIn.window, nullptr);
    ASSERT_TRUE(SetHook(GetWindowThreadProcessId(standIn.output(), nullptr)));
    EXPECT_EQ(standIn.printTranscript(), 5);
    const std::string shown = "MSHX1\r\nGROUPS 0\r\nMATERIALS 0\r\nTEXTURES 0\r\n" + std::string(PieceCutter::endMarkerLine);
    EXPECT_EQ(standIn.outputText(), shown);

    receiver = std::make_unique<ReceiverWindow>();  // the hook stays and looks again
    EXPECT_EQ(standIn.printTranscript(), 5);
    EXPECT_EQ(receiver->pieces.size(), 5u);
}

// While the listener's thread waits in the send of a piece, it runs what other threads send
// to it; an error that leaves behind does not make the piece go twice.
TEST_F(HookTest, ErrorLeftByOtherCodeDuringTheSendDoesNotSendThePieceAgain) {
    ListenerThread listener;
    receiver->whileReceiving = [&] { SendMessageA(listener.errorLeavingWindow(), WM_APP, 0, 0); };
    ASSERT_TRUE(SetHook(listener.threadId()));
    EXPECT_EQ(listener.print({{0, "MSHX1\r\n"}, {0, "GROUPS 1\r\n"}}), 2u);
    ASSERT_EQ(receiver->pieces.size(), 2u);
    EXPECT_EQ(receiver->pieces[1].bytes, withNul("GROUPS 1\r\n"));
}

// The library in the listener's process caches the main window; a program closed and
// started again has a new one, which must still get the pieces.
TEST_F(HookTest, ProgramStartedAgainStillReceivesAfterItsWindowWasCached) {
    StandInProcess standIn("--no-chatter --mesh \"" + smallMeshFile() + "\"");
    ASSERT_NE(standIn.window, nullptr);
    ASSERT_TRUE(SetHook(GetWindowThreadProcessId(standIn.output(), nullptr)));
    EXPECT_EQ(standIn.printTranscript(), 5);
    EXPECT_EQ(receiver->pieces.size(), 5u);
    receiver.reset();
    receiver = std::make_unique<ReceiverWindow>();
    EXPECT_EQ(standIn.printTranscript(), 5);
    ASSERT_EQ(receiver->pieces.size(), 5u);
    EXPECT_EQ(receiver->pieces[0].bytes, withNul("MSHX1\r\n"));
}

}  // namespace
