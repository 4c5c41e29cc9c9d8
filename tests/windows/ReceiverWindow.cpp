#include "ReceiverWindow.h"

#include "Forwarding.h"
#include "OwnWindow.h"

ReceiverWindow::ReceiverWindow() {
    hwnd = createOwnWindow({"TessoranTestReceiver", windowProcedure}, Forwarding::mainWindowCaption, WS_OVERLAPPED);
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
