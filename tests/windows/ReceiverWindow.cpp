#include "ReceiverWindow.h"

#include "Forwarding.h"

ReceiverWindow::ReceiverWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = windowProcedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TessoranTestReceiver";
        RegisterClassA(&wc);
        registered = true;
    }
    hwnd = CreateWindowExA(0, "TessoranTestReceiver", Forwarding::mainWindowCaption, WS_OVERLAPPED, 0, 0, 50, 50,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ReceiverWindow::~ReceiverWindow() { DestroyWindow(hwnd); }

LRESULT CALLBACK ReceiverWindow::windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ReceiverWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_COPYDATA && self) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        self->pieces.push_back({reinterpret_cast<HWND>(wParam), data->dwData, data->cbData,
                                std::string(static_cast<const char*>(data->lpData), data->cbData)});
        if (self->whileReceiving) self->whileReceiving();
        return TRUE;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
