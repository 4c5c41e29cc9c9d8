#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeLogPane.h"
#include "FakeOutputFile.h"
#include "GrabCommand.h"
#include "MeshCapture.h"
#include "MeshVerdict.h"

namespace {

WindowHandle windowNumber(std::uintptr_t n) { return reinterpret_cast<WindowHandle>(n); }
const WindowHandle listenerOutput = windowNumber(0x4242);

// The window system as the Grab command sees it, answering as told and noting each call.
class FakeGrabWindows : public GrabWindows {
public:
    WindowHandle output = listenerOutput;  // null: the listener is not open
    bool hookSets = true;
    bool cancels = false;
    std::string fileName = "C:\\meshes\\ship.msh";
    std::vector<std::string> calls;

    WindowHandle findListenerOutput() override {
        calls.push_back("find");
        return output;
    }
    bool hookThreadOf(WindowHandle window) override {
        calls.push_back(window == listenerOutput ? "hook listener" : "hook other");
        return hookSets;
    }
    bool askForFileName(std::string& path) override {
        calls.push_back("ask");
        if (cancels) return false;
        path = fileName;
        return true;
    }
    void removeHook() override { calls.push_back("unhook"); }
};

class NoVerdict : public MeshVerdict {
public:
    void reset(const std::string&) override {}
    void feed(const char*, std::size_t) override {}
    std::string verdict() override { return "-"; }
};

class GrabCommandTest : public ::testing::Test {
protected:
    FakeLogPane log;
    FakeOutputFile file;
    NoVerdict verdict;
    FakeGrabWindows windows;
    int hookReleases = 0;
    MeshCapture capture{log, file, verdict, [this] { ++hookReleases; }};

    GrabCommand::Outcome grab() { return GrabCommand(capture, log, windows).run(); }
    void send(const std::string& text, WindowHandle source = listenerOutput) {
        const std::string block = text + '\0';
        capture.onTextPiece({source, block.data(), static_cast<std::uint32_t>(block.size())});
    }
    void expectIdle() {
        EXPECT_EQ(capture.currentState(), CaptureState::Idle);
        EXPECT_FALSE(file.isOpen());
    }
};

const std::string found = "gmax MAXScript Listener window found.\r\n";

TEST_F(GrabCommandTest, ArmsTheCaptureForTheListenersOutputWithTheChosenFile) {
    EXPECT_EQ(grab(), GrabCommand::Outcome::Armed);
    EXPECT_EQ(log.text, found + "Waiting for *.msh file start...\r\n");
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"find", "hook listener", "ask"}));
    EXPECT_EQ(capture.currentState(), CaptureState::Waiting);
    EXPECT_EQ(capture.armedPath(), "C:\\meshes\\ship.msh");
    EXPECT_TRUE(file.isOpen());
    send("MSHX1\r\n");
    EXPECT_EQ(capture.currentState(), CaptureState::Grabbing);
    EXPECT_EQ(file.files["C:\\meshes\\ship.msh"], "MSHX1\r\n");
}

// Each failing step logs its line and ends the command there, the capture Idle.
TEST_F(GrabCommandTest, ListenerNotOpen) {
    capture.setListenerOutput(windowNumber(0x99));  // a listener of an earlier Grab
    windows.output = nullptr;
    EXPECT_EQ(grab(), GrabCommand::Outcome::ListenerNotFound);
    EXPECT_EQ(log.text, "Error ! gmax MAXScript Listener window not found.\r\n");
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"find"}));
    EXPECT_EQ(capture.currentListenerOutput(), nullptr);  // the old window is no longer heard
    expectIdle();
}

TEST_F(GrabCommandTest, HookCannotBeSet) {
    windows.hookSets = false;
    EXPECT_EQ(grab(), GrabCommand::Outcome::HookFailed);
    EXPECT_EQ(log.text, found + "Error ! Windows Hook could not be set.\r\n");
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"find", "hook listener"}));
    expectIdle();
}

TEST_F(GrabCommandTest, CancelledFileDialogKeepsTheHook) {
    windows.cancels = true;
    EXPECT_EQ(grab(), GrabCommand::Outcome::Cancelled);
    EXPECT_EQ(log.text, found);
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"find", "hook listener", "ask"}));
    expectIdle();
    send("MSHX1\r\n");
    EXPECT_EQ(file.writes, 0);
}

TEST_F(GrabCommandTest, FileThatDoesNotOpenRemovesTheHook) {
    file.failOpen = true;
    EXPECT_EQ(grab(), GrabCommand::Outcome::FileNotOpened);
    EXPECT_EQ(log.text, found + "Error ! File could not be opened.\r\n");
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"find", "hook listener", "ask", "unhook"}));
    expectIdle();
    EXPECT_EQ(hookReleases, 0);  // the command removes it, not the capture
}

// A Grab during a capture abandons it: its file keeps what it got, and the new one starts afresh.
TEST_F(GrabCommandTest, GrabDuringACaptureKeepsThePartialFile) {
    ASSERT_EQ(grab(), GrabCommand::Outcome::Armed);
    send("MSHX1\r\n");
    send("GROUPS 1\r\n");
    windows.fileName = "second.msh";
    EXPECT_EQ(grab(), GrabCommand::Outcome::Armed);
    EXPECT_EQ(file.files["C:\\meshes\\ship.msh"], "MSHX1\r\nGROUPS 1\r\n");
    EXPECT_EQ(file.files["second.msh"], "");
    EXPECT_EQ(capture.currentState(), CaptureState::Waiting);
    EXPECT_EQ(log.text, found + "Waiting for *.msh file start...\r\nGrabbing... 1 Lines read" + found +
                            "Waiting for *.msh file start...\r\n");
}

// Closing the file of the capture before fails: the file's error passes on before anything
// else happens, and the capture is left Idle with that file closed.
TEST_F(GrabCommandTest, ClosingThePreviousFileFails) {
    ASSERT_EQ(grab(), GrabCommand::Outcome::Armed);
    send("MSHX1\r\n");
    const std::string logBefore = log.text;
    windows.calls.clear();
    file.failClose = true;
    EXPECT_THROW(grab(), FakeFileError);
    EXPECT_EQ(log.text, logBefore);
    EXPECT_TRUE(windows.calls.empty());
    expectIdle();
    EXPECT_EQ(file.files["C:\\meshes\\ship.msh"], "MSHX1\r\n");
}

}  // namespace
