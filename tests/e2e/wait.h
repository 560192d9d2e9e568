#pragma once
// Polling: the program under test runs in other processes, so the driver can only look
// again until what it expects is there or the time is up.

#include <chrono>

#include <windows.h>

namespace nerula::e2e {

using namespace std::chrono_literals;

// Calls `probe` until its result tests true or `timeout` has passed, and gives the last
// result.
template <typename Probe>
auto WaitFor(Probe probe, std::chrono::milliseconds timeout) -> decltype(probe()) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        auto result = probe();
        if (result || std::chrono::steady_clock::now() >= end) {
            return result;
        }
        Sleep(20);
    }
}

} // namespace nerula::e2e
