#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaptureTexts.h"
#include "FakeLogPane.h"
#include "FakeOutputFile.h"
#include "LineBreaking.h"
#include "MeshCapture.h"
#include "MeshVerdict.h"

namespace {

// Stands in for the mesh check: keeps what it is fed, and its line tells how many bytes it
// had been fed when it was asked.
class StubVerdict : public MeshVerdict {
public:
    void reset(const std::string& meshPath) override {
        path = meshPath;
        fed.clear();
        ++resets;
    }
    void feed(const char* bytes, std::size_t count) override { fed.append(bytes, count); }
    std::string verdict() override { return "Verdict after " + std::to_string(fed.size()) + " bytes"; }

    std::string path, fed;
    int resets = 0;
};

WindowHandle windowNumber(std::uintptr_t n) { return reinterpret_cast<WindowHandle>(n); }
const WindowHandle listener = windowNumber(0x1234);
const WindowHandle otherPane = windowNumber(0x5678);
const std::string endMarker(CaptureTexts::endMarker);

class MeshCaptureTest : public ::testing::Test {
protected:
    FakeLogPane log;
    FakeOutputFile file;
    StubVerdict verdict;
    int releases = 0;
    std::vector<std::size_t> senderReleasedAt;  // bytes in the file at each release of the sender
    std::string block;                           // the piece being sent
    // A released sender may free its piece at once: the release overwrites it.
    MeshCapture capture{log, file, verdict, [this] { ++releases; }, [this] {
                            senderReleasedAt.push_back(file.bytes().size());
                            block.assign(block.size(), '#');
                        }};

    void send(const std::string& text, WindowHandle source = listener) {
        block = text + '\0';
        capture.onTextPiece({source, block.data(), static_cast<std::uint32_t>(block.size())});
    }
    void armed(const char* path = "out.msh") {
        capture.setListenerOutput(listener);
        capture.abandon();
        ASSERT_TRUE(capture.arm(path));
    }
    void grabbing() {
        armed();
        send("MSHX1\r\n");
    }
};

const std::string waiting = "Waiting for *.msh file start...\r\n";
const std::string done = "\r\nDone\r\n\r\n";
// The end of a capture: the verdict's line, asked once the file's bytes were fed to it, and Done.
std::string doneAfter(std::size_t bytes) { return "\r\nVerdict after " + std::to_string(bytes) + " bytes" + done; }

// The progress text is rewritten when the owner asks, and before the end notice; the sender
// is released once the piece is in the file; the verdict is fed what the file gets, and the
// log ends with its line.
TEST_F(MeshCaptureTest, FullRoadWritesTheMeshAndRewritesTheProgressInPlace) {
    log.userTypes("gmax MAXScript Listener window found.\r\n");
    armed();
    EXPECT_EQ(capture.currentState(), CaptureState::Waiting);
    EXPECT_EQ(log.text, "gmax MAXScript Listener window found.\r\n" + waiting);

    send("Exporting...\r\n");
    send("MSHX1\r\n");
    EXPECT_EQ(capture.currentState(), CaptureState::Grabbing);
    send("GROUPS 1\r\n");
    send("GEOM 4 2");   // part of a line: written, not counted
    send(" ; sq\r\n");
    EXPECT_EQ(log.text, "gmax MAXScript Listener window found.\r\n" + waiting + "Grabbing... ");
    EXPECT_TRUE(capture.updateProgressText());
    EXPECT_FALSE(capture.updateProgressText());
    EXPECT_EQ(log.text, "gmax MAXScript Listener window found.\r\n" + waiting + "Grabbing... 2 Lines read");
    for (int i = 0; i < 6; ++i) send("0 0 0\r\n");
    send(endMarker + "\r\n");
    send("OK\r\n");

    std::string expected = "MSHX1\r\nGROUPS 1\r\nGEOM 4 2 ; sq\r\n";
    for (int i = 0; i < 6; ++i) expected += "0 0 0\r\n";
    EXPECT_EQ(file.bytes(), expected);
    EXPECT_EQ(verdict.fed, expected);
    EXPECT_EQ(verdict.path, "out.msh");
    EXPECT_EQ(verdict.resets, 1);
    EXPECT_EQ(log.text, "gmax MAXScript Listener window found.\r\n" + waiting + "Grabbing... 8 Lines read" +
                            doneAfter(expected.size()));
    EXPECT_EQ(capture.currentState(), CaptureState::Idle);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(releases, 1);
    EXPECT_EQ(log.scrolls, 2);
    ASSERT_EQ(senderReleasedAt.size(), 13u);
    EXPECT_EQ(senderReleasedAt[1], 7u);
    EXPECT_EQ(senderReleasedAt[11], expected.size());
}

TEST_F(MeshCaptureTest, NoLineBreakAfterTheStartGivesStartNoticeThenDone) {
    grabbing();
    send("no line end here");
    send("lone LF\n");
    send(endMarker);
    EXPECT_EQ(log.text, waiting + "Grabbing... " + doneAfter(31));
    EXPECT_EQ(file.bytes(), "MSHX1\r\nno line end herelone LF\n");
}

// The verdict's line is broken at blanks where it is wider than the pane; the rest of the
// log stays as it is.
TEST_F(MeshCaptureTest, TheVerdictIsBrokenToFitANarrowPane) {
    log.widthInCharacters = 15;
    grabbing();
    send(endMarker);
    EXPECT_EQ(log.text, waiting + "Grabbing... \r\nVerdict after 7\r\nbytes" + done);
}

TEST(LineBreaking, EachBreakIsABlankTurnedIntoCrLf) {
    const auto within = [](std::size_t width) { return [width](std::string_view s) { return s.size() <= width; }; };
    const std::string summary = "Mesh: 122 groups, 14516 vertices, 11893 triangles, 27 materials, 10 textures, 17.87 x 4.93 x 18.72 m";
    EXPECT_EQ(breakToFit(summary, within(200)), summary);
    EXPECT_EQ(breakToFit(summary, within(60)),
              "Mesh: 122 groups, 14516 vertices, 11893 triangles, 27\r\nmaterials, 10 textures, 17.87 x 4.93 x 18.72 m");
    EXPECT_EQ(breakToFit("a longword b", within(3)), "a\r\nlongword\r\nb") << "a word wider than the pane stands alone";
    EXPECT_EQ(breakToFit("unbroken", within(3)), "unbroken");
    EXPECT_EQ(breakToFit("", within(3)), "");
}

TEST_F(MeshCaptureTest, StartMarkerMustOpenThePieceExactly) {
    armed();
    for (const char* miss : {" MSHX1\r\n", "MSHX", "mshx1\r\n", "", "xMSHX1"}) send(miss);
    EXPECT_EQ(capture.currentState(), CaptureState::Waiting);
    EXPECT_EQ(file.writes, 0);
    send("MSHX1 and more\r\nGROUPS 1\r\n");
    EXPECT_EQ(capture.currentState(), CaptureState::Grabbing);
    EXPECT_EQ(file.bytes(), "MSHX1 and more\r\nGROUPS 1\r\n");
    EXPECT_EQ(log.text, waiting + "Grabbing... ");  // the start piece is not counted
}

TEST_F(MeshCaptureTest, StartPieceHoldingTheEndMarkerIsWrittenWhole) {
    armed();
    send("MSHX1\r\n" + endMarker + "\r\n");
    EXPECT_EQ(capture.currentState(), CaptureState::Grabbing);
    EXPECT_EQ(file.bytes(), "MSHX1\r\n" + endMarker + "\r\n");
    send("x" + endMarker);
    EXPECT_EQ(capture.currentState(), CaptureState::Idle);
}

TEST_F(MeshCaptureTest, EndMarkerAnywhereEndsWithoutWritingAnyOfThatPiece) {
    grabbing();
    send("last\r\n");
    send("tail of data\r\n" + endMarker + " trailing");
    EXPECT_EQ(file.bytes(), "MSHX1\r\nlast\r\n");
    EXPECT_EQ(verdict.fed, file.bytes());
    EXPECT_EQ(log.text, waiting + "Grabbing... 1 Lines read" + doneAfter(13));
    // One hyphen short is no marker.
    grabbing();
    send(endMarker.substr(1));
    EXPECT_EQ(capture.currentState(), CaptureState::Grabbing);
}

TEST_F(MeshCaptureTest, CountsPiecesHoldingCrLfNotLines) {
    grabbing();
    send("a\r\nb\r\nc\r\n");
    send("d\ne\n");
    send("f\rg\r");
    send("\r\n");
    capture.updateProgressText();
    EXPECT_EQ(log.text, waiting + "Grabbing... 2 Lines read");
}

TEST_F(MeshCaptureTest, EmptyPiecesAndUnterminatedBlocks) {
    grabbing();
    const int writesBefore = file.writes;
    send("");
    capture.onTextPiece({listener, nullptr, 7});
    capture.onTextPiece({listener, "abc", 0});
    EXPECT_EQ(file.writes, writesBefore);

    // A block without a NUL: only size - 1 bytes count, and they are what is written.
    const char noNul[] = {'x', '\r', '\n', 'y'};
    capture.onTextPiece({listener, noNul, 3});
    EXPECT_EQ(file.bytes(), "MSHX1\r\nx\r");
    EXPECT_EQ(log.text, waiting + "Grabbing... ");
    // A NUL inside the block hides what follows it from the marker tests.
    std::string hidden = "ab" + std::string(1, '\0') + endMarker;
    capture.onTextPiece({listener, hidden.data(), static_cast<std::uint32_t>(hidden.size() + 1)});
    EXPECT_EQ(capture.currentState(), CaptureState::Grabbing);
    EXPECT_EQ(file.bytes(), "MSHX1\r\nx\r" + hidden);
}

TEST_F(MeshCaptureTest, PiecesFromOtherWindowsAreIgnoredInEveryState) {
    auto noise = [&] {
        for (WindowHandle source : {otherPane, WindowHandle{nullptr}}) {
            send("MSHX1\r\n", source);
            send("data\r\n", source);
            send(endMarker, source);
        }
    };
    noise();  // Idle, no listener stored
    capture.setListenerOutput(nullptr);
    send("MSHX1\r\n", nullptr);
    EXPECT_EQ(capture.currentState(), CaptureState::Idle);
    armed();
    noise();
    EXPECT_EQ(capture.currentState(), CaptureState::Waiting);
    send("MSHX1\r\n");
    noise();
    EXPECT_EQ(capture.currentState(), CaptureState::Grabbing);
    EXPECT_EQ(file.bytes(), "MSHX1\r\n");
    EXPECT_EQ(log.text, waiting + "Grabbing... ");
    EXPECT_EQ(releases, 0);
}

TEST_F(MeshCaptureTest, PiecesAfterDoneAreIgnored) {
    grabbing();
    send(endMarker);
    const std::string logAtEnd = log.text;
    send("MSHX1\r\n");
    send("more\r\n");
    send(endMarker);
    EXPECT_EQ(log.text, logAtEnd);
    EXPECT_EQ(file.bytes(), "MSHX1\r\n");
    EXPECT_EQ(releases, 1);
}

TEST_F(MeshCaptureTest, IdleCaptureIgnoresItsListener) {
    capture.setListenerOutput(listener);
    send("MSHX1\r\n");
    send(endMarker);
    EXPECT_EQ(log.text, "");
    EXPECT_EQ(releases, 0);
}

TEST_F(MeshCaptureTest, AbandonKeepsThePartialFileAndReArmStartsAfresh) {
    grabbing();
    send("part\r\n");
    capture.abandon();
    EXPECT_EQ(capture.currentState(), CaptureState::Idle);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(releases, 0);
    ASSERT_TRUE(capture.arm("second.msh"));
    EXPECT_EQ(capture.currentState(), CaptureState::Waiting);
    send("MSHX1\r\n");
    send("new\r\n");
    send(endMarker);
    EXPECT_EQ(file.files["out.msh"], "MSHX1\r\npart\r\n");
    EXPECT_EQ(file.files["second.msh"], "MSHX1\r\nnew\r\n");
    EXPECT_EQ(log.text, waiting + "Grabbing... 1 Lines read" + waiting + "Grabbing... 1 Lines read" + doneAfter(12));
    EXPECT_EQ(verdict.path, "second.msh");
    EXPECT_EQ(verdict.fed, "MSHX1\r\nnew\r\n");
}

TEST_F(MeshCaptureTest, OpenFailureChangesNothing) {
    capture.setListenerOutput(listener);
    file.failOpen = true;
    EXPECT_FALSE(capture.arm("x.msh"));
    EXPECT_EQ(capture.currentState(), CaptureState::Idle);
    EXPECT_EQ(log.text, "");
    send("MSHX1\r\n");
    EXPECT_EQ(file.writes, 0);
}

// Grabbing again after Done: one Grab catches mesh after mesh into the same file, which keeps
// each mesh until the next one starts; the hook stays until the waiting ends.
TEST_F(MeshCaptureTest, GrabAgainWaitsAfterDoneKeepsTheFileAndEmptiesItAtTheNextStart) {
    capture.grabAgainAfterDone(true);
    grabbing();
    send("first mesh\r\n");
    send(endMarker);
    const std::string firstCapture = waiting + "Grabbing... 1 Lines read" + doneAfter(19) + waiting;
    EXPECT_EQ(log.text, firstCapture);
    EXPECT_EQ(capture.currentState(), CaptureState::Waiting);
    EXPECT_TRUE(file.isOpen());
    EXPECT_EQ(releases, 0);
    send("chatter\r\n");
    EXPECT_EQ(file.bytes(), "MSHX1\r\nfirst mesh\r\n");
    send("MSHX1\r\n");
    EXPECT_EQ(file.bytes(), "MSHX1\r\n");
    send("2\r\n");
    capture.grabAgainAfterDone(false);  // while grabbing: this capture ends as any does
    send(endMarker);
    EXPECT_EQ(file.files.size(), 1u);
    EXPECT_EQ(file.bytes(), "MSHX1\r\n2\r\n");
    EXPECT_EQ(log.text, firstCapture + "Grabbing... 1 Lines read" + doneAfter(10));
    EXPECT_EQ(verdict.resets, 2);  // each mesh is checked on its own
    EXPECT_EQ(verdict.fed, "MSHX1\r\n2\r\n");
    EXPECT_EQ(capture.currentState(), CaptureState::Idle);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(releases, 1);
}

// Switching off ends a waiting that began after Done, silently; one that a Grab began goes
// on. A capture cut short never waits again.
TEST_F(MeshCaptureTest, GrabAgainSwitchedOffEndsOnlyTheWaitingItBegan) {
    capture.grabAgainAfterDone(true);
    grabbing();
    send(endMarker);
    const std::string logAtEnd = log.text;
    capture.grabAgainAfterDone(false);
    EXPECT_EQ(capture.currentState(), CaptureState::Idle);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(releases, 1);
    EXPECT_EQ(log.text, logAtEnd);
    EXPECT_EQ(file.bytes(), "MSHX1\r\n");

    armed("next.msh");
    capture.grabAgainAfterDone(true);
    capture.grabAgainAfterDone(false);
    EXPECT_EQ(capture.currentState(), CaptureState::Waiting);
    capture.grabAgainAfterDone(true);
    send("MSHX1\r\n");
    capture.abandon();
    EXPECT_EQ(capture.currentState(), CaptureState::Idle);
    EXPECT_EQ(releases, 1);
}

TEST_F(MeshCaptureTest, GrabAgainIntoAFileThatCannotBeOpenedAgainEnds) {
    capture.grabAgainAfterDone(true);
    grabbing();
    file.failOpen = true;
    send(endMarker);
    EXPECT_EQ(log.text, waiting + "Grabbing... " + doneAfter(7) + "Error ! File could not be opened.\r\n");
    EXPECT_EQ(capture.currentState(), CaptureState::Idle);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(releases, 1);
}

TEST_F(MeshCaptureTest, CaretMovedByTheUserPlacesTheStartNoticeAndProgressReplacesTheRest) {
    log.userTypes("line one\r\nline two\r\n");
    armed();
    log.userSelects(4, 4);  // the user clicked inside "line one"
    send("MSHX1\r\n");
    EXPECT_EQ(log.text, "lineGrabbing...  one\r\nline two\r\n" + waiting);
    send("a\r\n");
    capture.updateProgressText();
    EXPECT_EQ(log.text, "lineGrabbing... 1 Lines read");
    send("b\r\n");
    send(endMarker);
    EXPECT_EQ(log.text, "lineGrabbing... 2 Lines read" + doneAfter(13));
}

TEST_F(MeshCaptureTest, SelectionMadeByTheUserIsReplacedByTheStartNotice) {
    log.userTypes("abcdef");
    armed();
    log.userSelects(1, 3);
    send("MSHX1\r\n");
    EXPECT_EQ(log.text, "aGrabbing... def" + waiting);
}

// The first file error stops the capture: the file holds the whole pieces written before
// it and is closed, the hook is released, the log ends with the failure notice instead of
// Done, and nothing that comes later changes any of that.
class MeshCaptureFailureTest : public MeshCaptureTest {
protected:
    const std::string failed = "\r\nError ! File could not be written.\r\n\r\n";
    void expectStopped(const std::string& expectedLog, const std::string& expectedBytes) {
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(capture.currentState(), CaptureState::Idle);
            EXPECT_FALSE(file.isOpen());
            EXPECT_EQ(releases, 1);
            EXPECT_EQ(log.text, expectedLog);
            EXPECT_EQ(file.bytes(), expectedBytes);
            if (round == 0) {
                send("MSHX1\r\n");
                send("later\r\n");
                send(endMarker);
            }
        }
    }
};

TEST_F(MeshCaptureFailureTest, WriteOfTheStartPieceFails) {
    armed();
    file.failWriteNumber = 1;
    EXPECT_THROW(send("MSHX1\r\n"), FakeFileError);
    expectStopped(waiting + "Grabbing... " + failed, "");
}

TEST_F(MeshCaptureFailureTest, LaterWriteFails) {
    grabbing();
    send("kept\r\n");
    file.failWriteNumber = 3;
    EXPECT_THROW(send("lost\r\n"), FakeFileError);
    EXPECT_EQ(senderReleasedAt.size(), 2u) << "the sender was released before the error was reported";
    expectStopped(waiting + "Grabbing... 1 Lines read" + failed, "MSHX1\r\nkept\r\n");
}

TEST_F(MeshCaptureFailureTest, WriteThatPutPartOfItsPieceInTheFileIsCutBack) {
    grabbing();
    send("kept\r\n");
    file.failWriteNumber = 3;
    file.failingWriteKeeps = 4;
    EXPECT_THROW(send("half a line\r\n"), FakeFileError);
    expectStopped(waiting + "Grabbing... 1 Lines read" + failed, "MSHX1\r\nkept\r\n");
}

TEST_F(MeshCaptureFailureTest, CloseAtTheEndMarkerFails) {
    grabbing();
    send("a\r\n");
    file.failClose = true;
    EXPECT_THROW(send(endMarker), FakeFileError);
    EXPECT_EQ(file.closes, 1);
    expectStopped(waiting + "Grabbing... 1 Lines read" + failed, "MSHX1\r\na\r\n");
}

// The file kept from the mesh before cannot be emptied when the next one starts.
TEST_F(MeshCaptureFailureTest, EmptyingTheFileForTheNextMeshFails) {
    capture.grabAgainAfterDone(true);
    grabbing();
    send(endMarker);
    file.failEmpty = true;
    EXPECT_THROW(send("MSHX1\r\n"), FakeFileError);
    expectStopped(waiting + "Grabbing... " + doneAfter(7) + waiting + "Grabbing... " + failed, "MSHX1\r\n");
}

TEST_F(MeshCaptureTest, FailedCloseInAbandonStillLeavesIdleAndClosed) {
    grabbing();
    file.failClose = true;
    EXPECT_THROW(capture.abandon(), FakeFileError);
    EXPECT_EQ(capture.currentState(), CaptureState::Idle);
    EXPECT_FALSE(file.isOpen());
    send("x\r\n");
    EXPECT_EQ(file.bytes(), "MSHX1\r\n");
}

}  // namespace
