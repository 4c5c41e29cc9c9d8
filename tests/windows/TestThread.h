#pragma once

// A second thread for a test, on the runtime's own thread call: the thread model of the
// runtime linked into the Windows programs has no std::thread. The body starts at once; the
// destructor waits for it to end. An exception from the body stops at the thread's edge and
// is thrown again by finishedWithin.
#include <windows.h>
#include <process.h>

#include <exception>
#include <functional>
#include <utility>

class TestThread {
public:
    explicit TestThread(std::function<void()> body) : body(std::move(body)) {
        handle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, run, this, 0, nullptr));
    }
    ~TestThread() {
        if (handle == nullptr) return;
        WaitForSingleObject(handle, INFINITE);
        CloseHandle(handle);
    }
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;

    // True once the body has ended, waiting at most timeoutMs for it.
    bool finishedWithin(DWORD timeoutMs) {
        if (handle == nullptr || WaitForSingleObject(handle, timeoutMs) != WAIT_OBJECT_0) return false;
        if (failure) std::rethrow_exception(std::exchange(failure, nullptr));
        return true;
    }
    bool join() { return finishedWithin(INFINITE); }

private:
    static unsigned __stdcall run(void* self) {
        auto* thread = static_cast<TestThread*>(self);
        try {
            thread->body();
        } catch (...) {
            thread->failure = std::current_exception();
        }
        return 0;
    }

    std::function<void()> body;
    std::exception_ptr failure;
    HANDLE handle = nullptr;
};
