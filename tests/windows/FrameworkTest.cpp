// The window framework on the real platform: files, the edit-control log, message maps and
// the report of a file error raised inside a handler.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "EditLogPane.h"
#include "FakeLogPane.h"
#include "Framework.h"
#include "ProgramDriver.h"
#include "TestThread.h"

namespace {

// A message-sequence test records who saw which message: a handler of the message map, the
// window's original (default) procedure, or the application's message box.
enum class Seen { Handler, Default, Box };
struct Event {
    Seen by;
    UINT message;
    WPARAM wParam;  // for a box its type; for WM_NCDESTROY 1 when the original procedure is back
    bool operator==(const Event& o) const { return by == o.by && message == o.message && wParam == o.wParam; }
};
void PrintTo(const Event& e, std::ostream* out) {
    const char* by[] = {"handler", "default", "box"};
    *out << "{" << by[static_cast<int>(e.by)] << " 0x" << std::hex << e.message << " 0x" << e.wParam << std::dec << "}";
}
std::vector<Event> events;
std::vector<std::string> boxTexts;
bool watchingBoxes = false;

class TestApp : public CWinApp {
public:
    TestApp() { m_strAppName = "FrameworkTest"; }
    BOOL InitInstance() override { return FALSE; }
    // While a sequence is recorded, a box is an event and answers at once.
    int DoMessageBox(LPCSTR text, UINT type) override {
        if (!watchingBoxes) return CWinApp::DoMessageBox(text, type);
        events.push_back({Seen::Box, 0, type});
        boxTexts.push_back(text);
        return IDOK;
    }

private:
    // A command no window maps goes to the application's map.
    MessageMap GetMessageMap() const override {
        static constexpr MessageMapEntry entries[] = {On::Command<ID_HELP, &TestApp::onHelp>()};
        return entries;
    }
    void onHelp() { events.push_back({Seen::Handler, WM_COMMAND, ID_HELP}); }
} theApp;

TEST(CFileTest, CreatesTruncatesOrKeepsAndLetsOthersReadAndWrite) {
    const std::string path = temporaryPath("cfile.bin");
    std::ofstream(path, std::ios::binary) << "old contents";
    CFile file;
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone));
    EXPECT_EQ(readBytes(path), "");
    file.Write("abc\r\n", 5);
    EXPECT_EQ(readBytes(path), "abc\r\n");  // nothing held back
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(other, INVALID_HANDLE_VALUE) << "others may not open the file while it is written";
    CloseHandle(other);
    file.Close();
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    file.Close();  // closing a closed file does nothing

    // Opened again without truncating, the file keeps its bytes until it is cut.
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::shareDenyNone));
    EXPECT_EQ(readBytes(path), "abc\r\n");
    file.SetLength(0);
    file.Write("d", 1);
    file.Close();
    EXPECT_EQ(readBytes(path), "d");
    DeleteFileA(path.c_str());
}

TEST(CFileTest, OpenFailureWriteFailureAndCloseFailure) {
    CFile file;
    CFileException error(CFileException::none, 0, "");
    EXPECT_FALSE(file.Open("Z:\\no\\such\\folder\\x.msh", CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_NE(error.m_lOsError, 0u);
    EXPECT_THROW(file.Write("x", 1), CFileException);  // not open
    EXPECT_THROW(file.SetLength(0), CFileException);
    file.Write("x", 0);                                  // nothing to write cannot fail

    const std::string path = temporaryPath("readonly.bin");
    std::ofstream(path, std::ios::binary) << "keep";
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    EXPECT_THROW(file.Write("more", 4), CFileException);
    CloseHandle(file.m_hFile);  // the handle goes away behind the file's back
    EXPECT_THROW(file.Close(), CFileException);
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);  // closed, although the close failed
    EXPECT_EQ(readBytes(path), "keep");
    DeleteFileA(path.c_str());
}

TEST(CFileExceptionTest, DescribesTheFileAndTheCause) {
    CFileException error(CFileException::diskFull, ERROR_DISK_FULL, "C:\\mesh.msh");
    EXPECT_NE(error.GetErrorMessage().find("C:\\mesh.msh"), std::string::npos);
    EXPECT_NE(error.GetErrorMessage().find("space"), std::string::npos);
}

// The log pane on a real edit control and the fake used by the capture's tests must agree.
TEST(EditLogPaneTest, BehavesLikeTheFakeOnARealEditControl) {
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 300, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    CEdit control;
    control.m_hWnd = edit;
    EditLogPane real(control);
    FakeLogPane fake;
    auto both = [&](auto step) { step(static_cast<LogPane&>(real)); step(static_cast<LogPane&>(fake)); };

    both([](LogPane& p) { p.insertAtSelection("line one\r\nline two\r\n"); });
    EXPECT_EQ(real.caretPosition(), fake.caretPosition());
    SendMessageA(edit, EM_SETSEL, 4, 9);  // the user selects " one\r"
    fake.userSelects(4, 9);
    both([](LogPane& p) { p.insertAtSelection("Grabbing... "); });
    const std::uint32_t at = real.caretPosition();
    EXPECT_EQ(at, fake.caretPosition());
    for (const char* progress : {"1 Lines read", "2 Lines read", "10 Lines read"})
        both([&](LogPane& p) { p.selectToEnd(at); p.scrollCaretIntoView(); p.insertAtSelection(progress); });
    both([](LogPane& p) { p.selectToEnd(1000); p.insertAtSelection("\r\nDone\r\n\r\n"); });
    EXPECT_EQ(windowText(edit), fake.text);
    EXPECT_EQ(fake.text, "lineGrabbing... 10 Lines read\r\nDone\r\n\r\n");
    EXPECT_EQ(real.caretPosition(), fake.caretPosition());
    DestroyWindow(edit);
}

// A dialog whose map sends the button to a handler that raises a file error.
class ThrowingDialog : public CDialog {
public:
    ThrowingDialog() : CDialog(200, nullptr) {}
    void onThrow() {
        ++throws;
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, "full.msh");
    }
    BOOL onCopyData(CWnd* source, COPYDATASTRUCT* data) {
        copied = std::string(static_cast<const char*>(data->lpData), data->cbData);
        copySource = source ? source->m_hWnd : nullptr;
        return TRUE;
    }
    int throws = 0;
    std::string copied;
    HWND copySource = nullptr;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(301, BN_CLICKED), 0);
        return TRUE;
    }
    MessageMap GetMessageMap() const override {
        static constexpr MessageMapEntry entries[] = {
            On::Command<301, &ThrowingDialog::onThrow>(),
            On::CopyData<&ThrowingDialog::onCopyData>(),
        };
        return entries;
    }
};

TEST(DialogTest, MapDispatchesAndAFileErrorIsReportedInAStopBox) {
    ThrowingDialog dialog;
    std::atomic<bool> boxSeen{false}, stopIcon{false};
    TestThread user([&] {
        HWND box = nullptr, dialogWindow = nullptr;
        for (int i = 0; i < 500 && !box; ++i, Sleep(20)) box = FindWindowA("#32770", "FrameworkTest");
        if (!box) return;
        boxSeen = true;
        // The box's icon control (id 0x14 on Windows, 0x440 in Wine) shows the stop icon.
        HWND icon = GetDlgItem(box, 0x14) ? GetDlgItem(box, 0x14) : GetDlgItem(box, 0x440);
        stopIcon = icon && reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)) == LoadIconA(nullptr, IDI_HAND);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        for (int i = 0; i < 500 && !dialogWindow; ++i, Sleep(20)) {
            dialogWindow = FindWindowA("#32770", "Framework test");
            if (dialogWindow && FindWindowA("#32770", "FrameworkTest")) dialogWindow = nullptr;
        }
        std::string text = "piece";
        COPYDATASTRUCT data = {0, static_cast<DWORD>(text.size() + 1), text.data()};
        SendMessageA(dialogWindow, WM_COPYDATA, reinterpret_cast<WPARAM>(dialogWindow), reinterpret_cast<LPARAM>(&data));
        PostMessageA(dialogWindow, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    user.join();
    EXPECT_EQ(dialog.throws, 1);
    EXPECT_TRUE(boxSeen) << "no message box captioned with the application's name";
    EXPECT_TRUE(stopIcon);
    EXPECT_EQ(dialog.copied, std::string("piece", 6));
    EXPECT_NE(dialog.copySource, nullptr);
}

constexpr UINT mappedMessage = WM_APP + 1, unmappedMessage = WM_APP + 2, nestingMessage = WM_APP + 3;
constexpr UINT throwFileError = 401, throwOther = 402;

bool recorded(UINT message) {
    return (message >= mappedMessage && message <= nestingMessage) || message == WM_COMMAND || message == WM_DESTROY ||
           message == WM_NCDESTROY;
}

// The procedure of the dialog's own window class, which the framework subclasses: what it
// sees is what the framework's default processing passes on.
LRESULT CALLBACK originalProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (recorded(message)) {
        const bool back = GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(originalProcedure);
        events.push_back({Seen::Default, message, message == WM_NCDESTROY ? WPARAM{back} : wParam});
    }
    if (message == unmappedMessage) return 22;
    if (message == nestingMessage) return 33;
    return DefDlgProcA(hwnd, message, wParam, lParam);
}

// Template 201 names the window class "FrameworkRecorder". The dialog sends its messages to
// itself as soon as it is up, then ends.
class RecordingDialog : public CDialog {
public:
    RecordingDialog() : CDialog(201, nullptr) {}
    std::vector<LRESULT> results;
    LRESULT nestedResult = 0;

private:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        events.clear();
        results = {SendMessage(mappedMessage, 7), SendMessage(unmappedMessage, 8), SendMessage(nestingMessage, 9),
                   SendMessage(WM_COMMAND, MAKEWPARAM(throwFileError, BN_CLICKED)),
                   SendMessage(WM_COMMAND, MAKEWPARAM(throwOther, BN_CLICKED)), SendMessage(WM_COMMAND, ID_HELP)};
        EndDialog(m_hWnd, IDOK);
        return TRUE;
    }
    MessageMap GetMessageMap() const override {
        static constexpr MessageMapEntry entries[] = {
            On::Message<mappedMessage, &RecordingDialog::onMapped>(),
            On::Message<nestingMessage, &RecordingDialog::onNesting>(),
            On::Command<throwFileError, &RecordingDialog::onThrowFileError>(),
            On::Command<throwOther, &RecordingDialog::onThrowOther>(),
        };
        return entries;
    }
    LRESULT onMapped(WPARAM wParam, LPARAM) {
        events.push_back({Seen::Handler, mappedMessage, wParam});
        return 100 + wParam;
    }
    // The default processing after a nested message is that of the outer one.
    LRESULT onNesting(WPARAM wParam, LPARAM) {
        events.push_back({Seen::Handler, nestingMessage, wParam});
        nestedResult = SendMessage(mappedMessage, 10);
        return Default();
    }
    void onThrowFileError() {
        events.push_back({Seen::Handler, WM_COMMAND, MAKEWPARAM(throwFileError, BN_CLICKED)});
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, "full.msh");
    }
    void onThrowOther() {
        events.push_back({Seen::Handler, WM_COMMAND, MAKEWPARAM(throwOther, BN_CLICKED)});
        throw std::runtime_error("not a file error");
    }
};

TEST(DialogTest, DispatchRecordsTheExpectedMessageSequence) {
    WNDCLASSA recorder = {};
    recorder.lpfnWndProc = originalProcedure;
    recorder.cbWndExtra = DLGWINDOWEXTRA;
    recorder.hInstance = GetModuleHandleA(nullptr);
    recorder.lpszClassName = "FrameworkRecorder";
    ASSERT_TRUE(RegisterClassA(&recorder));
    boxTexts.clear();
    watchingBoxes = true;
    RecordingDialog dialog;
    const INT_PTR ended = dialog.DoModal();
    watchingBoxes = false;
    UnregisterClassA("FrameworkRecorder", GetModuleHandleA(nullptr));
    ASSERT_EQ(ended, IDOK);

    const std::vector<Event> expected = {
        {Seen::Handler, mappedMessage, 7},
        {Seen::Default, unmappedMessage, 8},
        {Seen::Handler, nestingMessage, 9},
        {Seen::Handler, mappedMessage, 10},
        {Seen::Default, nestingMessage, 9},
        {Seen::Handler, WM_COMMAND, MAKEWPARAM(throwFileError, BN_CLICKED)},
        {Seen::Box, 0, MB_OK | MB_ICONSTOP},
        {Seen::Handler, WM_COMMAND, MAKEWPARAM(throwOther, BN_CLICKED)},
        {Seen::Box, 0, MB_OK | MB_ICONSTOP},
        {Seen::Handler, WM_COMMAND, ID_HELP},  // the application's
        {Seen::Default, WM_DESTROY, 0},
        {Seen::Default, WM_NCDESTROY, 1},
    };
    EXPECT_EQ(events, expected);
    EXPECT_EQ(dialog.results, (std::vector<LRESULT>{107, 22, 33, 0, 0, 0}));
    EXPECT_EQ(dialog.nestedResult, 110);
    ASSERT_EQ(boxTexts.size(), 2u);
    EXPECT_NE(boxTexts[0].find("full.msh"), std::string::npos) << boxTexts[0];
    EXPECT_EQ(boxTexts[1], "An unexpected error occurred.");
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

}  // namespace
