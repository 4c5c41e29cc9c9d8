#include "ProgramDriver.h"

#include "FileBytes.h"
#include "Forwarding.h"
#include "res/resource.h"

ProgramDriver::ProgramDriver() : ChildProcess(tessoranDirectory() + "Tessoran.exe", "") {
    window = findWindow("#32770", Forwarding::mainWindowCaption, [](HWND w) { return GetDlgItem(w, IDC_LOG) != nullptr; });
}

ProgramDriver::~ProgramDriver() {
    if (running() && window) PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    if (!waitForExit(10000) && info.hProcess) TerminateProcess(info.hProcess, 1);
}

void ProgramDriver::clickGrab() const {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_GRAB, BN_CLICKED), reinterpret_cast<LPARAM>(control(IDC_GRAB)));
}

HWND ProgramDriver::logControl() const { return control(IDC_LOG); }

std::string ProgramDriver::log() const { return windowText(logControl()); }

// Posted: the view may take a while to read its file.
void ProgramDriver::openMeshView() const { PostMessageA(window, WM_SYSCOMMAND, IDM_MESHVIEW, 0); }

HWND ProgramDriver::ownedDialog(HWND owner, const char* caption, DWORD timeoutMs) const {
    DWORD start = GetTickCount();
    do {
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", caption));) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == id() && w != window && (!owner || GetWindow(w, GW_OWNER) == owner) && IsWindowVisible(w))
                return w;
        }
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND ProgramDriver::saveDialog(DWORD timeoutMs) const { return ownedDialog(window, nullptr, timeoutMs); }

// The dialog may show before its controls take text: the name is set until it reads back,
// and OK is pressed again if the dialog neither closes nor asks a question.
void ProgramDriver::saveAs(const std::string& path) const {
    HWND dialog = saveDialog();
    for (int attempt = 0; dialog && attempt < 5; ++attempt) {
        HWND name = GetDlgItem(dialog, 0x47c);  // cmb13 in the Explorer style
        if (!name) name = GetDlgItem(dialog, 0x480);
        if (!name || (SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str())),
                      windowText(name) != path)) {
            Sleep(100);
            continue;
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        for (int i = 0; i < 150; ++i, Sleep(20))
            if (!IsWindow(dialog) || ownedDialog(dialog, nullptr, 0)) return;
    }
}

std::string ProgramDriver::grabInto(const std::string& path, const std::string& logBefore, DWORD timeoutMs) const {
    DeleteFileA(path.c_str());
    clickGrab();
    saveAs(path);
    return waitForLog(logBefore + armedLines, timeoutMs);
}

void ProgramDriver::cancelSave() const {
    PostMessageA(saveDialog(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

namespace {

// The log with each CR LF that stands where text has a blank made a blank again; unchanged
// when it differs from text otherwise.
std::string joinedAtBlanks(const std::string& log, const std::string& text, int& breaks) {
    std::string joined;
    breaks = 0;
    std::size_t i = 0, j = 0;
    while (i < log.size() && j < text.size()) {
        if (log[i] == text[j]) {
            joined += log[i++];
            ++j;
        } else if (text[j] == ' ' && log.compare(i, 2, "\r\n") == 0) {
            joined += ' ';
            i += 2, ++j, ++breaks;
        } else {
            break;
        }
    }
    if (i != log.size() || j != text.size()) return breaks = 0, log;
    return joined;
}

}  // namespace

std::string ProgramDriver::waitForLog(const std::string& text, DWORD timeoutMs, int* brokenLines) const {
    DWORD start = GetTickCount();
    std::string now;
    int breaks = 0;
    while ((now = joinedAtBlanks(log(), text, breaks)) != text && GetTickCount() - start < timeoutMs) Sleep(20);
    if (brokenLines) *brokenLines = breaks;
    return now;
}

void ProgramDriver::pressKey(HWND target, WPARAM key) const {
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

std::string temporaryPath(const std::string& name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "tessoran-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

std::string readBytes(const std::string& path) {
    std::string bytes;
    readFileBytes(path, bytes);
    return bytes;
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
