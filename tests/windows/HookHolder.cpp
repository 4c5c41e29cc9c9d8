// Another program with this library's hook: sets it on the thread given on the command line,
// shows a hidden window captioned "Tessolink hook holder" once it is set, and keeps the
// hook until the window is closed or the process is killed.
#include <windows.h>

#include <cstdlib>

#include "OwnWindow.h"
#include "Tessolink.h"

namespace {
LRESULT CALLBACK holderProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || !SetHook(std::strtoul(argv[1], nullptr, 10))) return 1;
    createOwnWindow({"TessolinkHookHolder", holderProcedure}, "Tessolink hook holder", WS_OVERLAPPED);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    RemoveHook();
    return 0;
}
