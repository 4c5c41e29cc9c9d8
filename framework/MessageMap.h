#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <type_traits>

class CWnd;
class CCmdTarget;

// One row of a message map: the message (for WM_COMMAND also the notification code and the
// command or control id) and the function that decodes its parameters and calls the handler.
struct MessageMapEntry {
    UINT message;
    UINT code;
    UINT id;
    LRESULT (*call)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);
};

// The rows of one class: a static table local to the class's GetMessageMap, built from the
// row templates of namespace On below.
struct MessageMap {
    constexpr MessageMap() = default;
    template <std::size_t N>
    constexpr MessageMap(const MessageMapEntry (&rows)[N]) : entries(rows), count(N) {}
    // The first row for the message, or null.
    const MessageMapEntry* find(UINT message, WPARAM wParam) const;

    const MessageMapEntry* entries = nullptr;
    std::size_t count = 0;
};

// What has a message map: the windows and the application object.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Calls the handler the map names for the message and gives its result; false when the
    // map has no row for it.
    bool callMapped(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

protected:
    virtual MessageMap GetMessageMap() const { return {}; }
};

// What the row templates share: the handler's class, taken from the member pointer, and the
// check that the handler has the one signature its message decodes to. The handler may be
// private: the row is instantiated inside the class's own GetMessageMap, which names it, and
// the decoder calls it through the pointer.
namespace MessageRows {
template <class>
struct MemberOf;
template <class W, class F>
struct MemberOf<F W::*> {
    using Window = W;
};
template <auto Handler>
using WindowOf = typename MemberOf<decltype(Handler)>::Window;

template <auto Handler>
WindowOf<Handler>* target(CCmdTarget* t) { return static_cast<WindowOf<Handler>*>(t); }

template <auto Handler, class Shape>
constexpr MessageMapEntry row(UINT message, LRESULT (*call)(CCmdTarget*, WPARAM, LPARAM), UINT code = 0, UINT id = 0) {
    static_assert(std::is_base_of_v<CCmdTarget, WindowOf<Handler>>, "a handler is a member of a window or application class");
    static_assert(std::is_same_v<decltype(Handler), Shape WindowOf<Handler>::*>,
                  "the handler's signature does not fit the message of its row");
    return {message, code, id, call};
}

inline POINT pointOf(LPARAM lp) { return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

template <UINT Message, auto F>
constexpr MessageMapEntry mouse() {
    return row<F, void(UINT, POINT)>(Message, [](CCmdTarget* t, WPARAM wp, LPARAM lp) -> LRESULT {
        (target<F>(t)->*F)(static_cast<UINT>(wp), pointOf(lp));
        return 0;
    });
}
}  // namespace MessageRows

// One row template per message, named after it: On::Paint<&MainDialog::OnPaint>() and so on.
// Each ties the message to its decoding and to the handler's signature, given beside it.
namespace On {
using MessageRows::row;
using MessageRows::target;

// void F(): a command (or button click, BN_CLICKED being 0) with the id.
template <UINT Id, auto F>
constexpr MessageMapEntry Command() {
    return row<F, void()>(WM_COMMAND, [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT { (target<F>(t)->*F)(); return 0; },
                          BN_CLICKED, Id);
}
// LRESULT F(WPARAM, LPARAM): a message of the program's own, its parameters as they come.
template <UINT Msg, auto F>
constexpr MessageMapEntry Message() {
    return row<F, LRESULT(WPARAM, LPARAM)>(Msg, [](CCmdTarget* t, WPARAM wp, LPARAM lp) -> LRESULT {
        return (target<F>(t)->*F)(wp, lp);
    });
}
// void F()
template <auto F>
constexpr MessageMapEntry Paint() {
    return row<F, void()>(WM_PAINT, [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT { (target<F>(t)->*F)(); return 0; });
}
// void F(UINT id, LPARAM param)
template <auto F>
constexpr MessageMapEntry SysCommand() {
    return row<F, void(UINT, LPARAM)>(WM_SYSCOMMAND, [](CCmdTarget* t, WPARAM wp, LPARAM lp) -> LRESULT {
        (target<F>(t)->*F)(static_cast<UINT>(wp), lp);
        return 0;
    });
}
// HCURSOR F(): the icon to drag for a minimized window.
template <auto F>
constexpr MessageMapEntry QueryDragIcon() {
    return row<F, HCURSOR()>(WM_QUERYDRAGICON, [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT {
        return reinterpret_cast<LRESULT>((target<F>(t)->*F)());
    });
}
// BOOL F(CWnd* source, COPYDATASTRUCT* data): the source window is null for a null wParam.
template <auto F>
constexpr MessageMapEntry CopyData() {
    return row<F, BOOL(CWnd*, COPYDATASTRUCT*)>(WM_COPYDATA, [](CCmdTarget* t, WPARAM wp, LPARAM lp) -> LRESULT {
        using W = MessageRows::WindowOf<F>;
        CWnd* source = wp ? W::FromHandle(reinterpret_cast<HWND>(wp)) : nullptr;
        return (target<F>(t)->*F)(source, reinterpret_cast<COPYDATASTRUCT*>(lp));
    });
}
// void F(UINT_PTR timerId)
template <auto F>
constexpr MessageMapEntry Timer() {
    return row<F, void(UINT_PTR)>(WM_TIMER, [](CCmdTarget* t, WPARAM wp, LPARAM) -> LRESULT {
        (target<F>(t)->*F)(static_cast<UINT_PTR>(wp));
        return 0;
    });
}
// BOOL F(HDC): true when the handler erased the background.
template <auto F>
constexpr MessageMapEntry EraseBkgnd() {
    return row<F, BOOL(HDC)>(WM_ERASEBKGND, [](CCmdTarget* t, WPARAM wp, LPARAM) -> LRESULT {
        return (target<F>(t)->*F)(reinterpret_cast<HDC>(wp));
    });
}
// void F(UINT type, int width, int height)
template <auto F>
constexpr MessageMapEntry Size() {
    return row<F, void(UINT, int, int)>(WM_SIZE, [](CCmdTarget* t, WPARAM wp, LPARAM lp) -> LRESULT {
        (target<F>(t)->*F)(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
        return 0;
    });
}
// void F(MINMAXINFO*)
template <auto F>
constexpr MessageMapEntry GetMinMaxInfo() {
    return row<F, void(MINMAXINFO*)>(WM_GETMINMAXINFO, [](CCmdTarget* t, WPARAM, LPARAM lp) -> LRESULT {
        (target<F>(t)->*F)(reinterpret_cast<MINMAXINFO*>(lp));
        return 0;
    });
}
// Mouse buttons and moves, void F(UINT keyFlags, POINT clientPoint).
template <auto F>
constexpr MessageMapEntry LButtonDown() { return MessageRows::mouse<WM_LBUTTONDOWN, F>(); }
template <auto F>
constexpr MessageMapEntry LButtonUp() { return MessageRows::mouse<WM_LBUTTONUP, F>(); }
template <auto F>
constexpr MessageMapEntry RButtonDown() { return MessageRows::mouse<WM_RBUTTONDOWN, F>(); }
template <auto F>
constexpr MessageMapEntry RButtonUp() { return MessageRows::mouse<WM_RBUTTONUP, F>(); }
template <auto F>
constexpr MessageMapEntry MouseMove() { return MessageRows::mouse<WM_MOUSEMOVE, F>(); }
// void F(UINT keyFlags, short turn, POINT screenPoint): the turn is 120 a notch.
template <auto F>
constexpr MessageMapEntry MouseWheel() {
    return row<F, void(UINT, short, POINT)>(WM_MOUSEWHEEL, [](CCmdTarget* t, WPARAM wp, LPARAM lp) -> LRESULT {
        (target<F>(t)->*F)(LOWORD(wp), static_cast<short>(HIWORD(wp)), MessageRows::pointOf(lp));
        return 0;
    });
}
// void F(UINT key, UINT repeatCount, UINT flags)
template <auto F>
constexpr MessageMapEntry KeyDown() {
    return row<F, void(UINT, UINT, UINT)>(WM_KEYDOWN, [](CCmdTarget* t, WPARAM wp, LPARAM lp) -> LRESULT {
        (target<F>(t)->*F)(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
        return 0;
    });
}
// void F(HDROP): the handler finishes the drop.
template <auto F>
constexpr MessageMapEntry DropFiles() {
    return row<F, void(HDROP)>(WM_DROPFILES, [](CCmdTarget* t, WPARAM wp, LPARAM) -> LRESULT {
        (target<F>(t)->*F)(reinterpret_cast<HDROP>(wp));
        return 0;
    });
}
// void F(): the window lost the mouse capture.
template <auto F>
constexpr MessageMapEntry CaptureChanged() {
    return row<F, void()>(WM_CAPTURECHANGED, [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT { (target<F>(t)->*F)(); return 0; });
}
}  // namespace On
