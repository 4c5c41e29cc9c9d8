// GoogleTest's port customization for the Windows test programs, found before GoogleTest's
// own empty one. The runtime's thread model has no std::mutex and no
// std::condition_variable, with which GoogleTest's Notification is written; this one is
// written on an atomic flag. GoogleTest uses it only to start threads it makes itself, which
// these tests never ask it for.
#ifndef GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
#define GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { notified.store(true); }
    void WaitForNotification() {
        while (!notified.load()) {
        }
    }

private:
    std::atomic<bool> notified{false};
};

}  // namespace internal
}  // namespace testing

#endif  // GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
