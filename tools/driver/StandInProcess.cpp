#include "StandInProcess.h"

#include "ListenerWindow.h"

std::string programDirectory() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string dir = self;
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

std::string windowText(HWND window) {
    std::string text(static_cast<std::size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::string tessoranDirectory() {
    char folder[MAX_PATH] = "";
    DWORD n = GetEnvironmentVariableA("TESSORAN_PROGRAM_DIR", folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return programDirectory();
    std::string dir = folder;
    if (dir.back() != '\\' && dir.back() != '/') dir += '\\';
    return dir;
}

ChildProcess::ChildProcess(const std::string& exe, const std::string& arguments) {
    std::string command = "\"" + exe + "\" " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info))
        info = {};
}

ChildProcess::~ChildProcess() {
    if (!info.hProcess) return;
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

HWND ChildProcess::findWindow(const char* className, const char* caption, bool (*ready)(HWND), DWORD timeoutMs) const {
    DWORD start = GetTickCount();
    do {
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, className, caption));) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == info.dwProcessId && (!ready || ready(w))) return w;
        }
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs && running());
    return nullptr;
}

bool ChildProcess::waitForExit(DWORD timeoutMs) {
    return info.hProcess && WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool ChildProcess::running() const {
    return info.hProcess && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
}

StandInProcess::StandInProcess(const std::string& options)
    : ChildProcess(programDirectory() + "StandInListener.exe", "--hidden " + options) {
    window = findWindow(ListenerWindow::className, nullptr, [](HWND w) {
        HWND first = GetWindow(w, GW_CHILD);
        return first && GetWindow(first, GW_HWNDNEXT) != nullptr;
    });
}

StandInProcess::~StandInProcess() {
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
}

std::string StandInProcess::outputText() const { return windowText(output()); }

LRESULT StandInProcess::printTranscript(DWORD timeoutMs) {
    DWORD_PTR printed = 0;
    SendMessageTimeoutA(window, ListenerWindow::printTranscript, 0, 0, SMTO_NORMAL, timeoutMs, &printed);
    return static_cast<LRESULT>(printed);
}

LRESULT StandInProcess::printBlock(std::size_t first, std::size_t count, DWORD timeoutMs) {
    DWORD_PTR printed = 0;
    SendMessageTimeoutA(window, ListenerWindow::printBlock, first, static_cast<LPARAM>(count), SMTO_NORMAL, timeoutMs,
                        &printed);
    return static_cast<LRESULT>(printed);
}
