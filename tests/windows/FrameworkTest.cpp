// The window framework on the real platform: files, the edit-control log, message maps and
// the report of a file error raised inside a handler.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <fstream>
#include <string>

#include "EditLogPane.h"
#include "FakeLogPane.h"
#include "Framework.h"
#include "ProgramDriver.h"
#include "TestThread.h"

namespace {

class TestApp : public CWinApp {
public:
    TestApp() { m_strAppName = "FrameworkTest"; }
    BOOL InitInstance() override { return FALSE; }
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

}  // namespace
