#pragma once
// Polls a condition until it holds or the time is up; every wait in these tests is bounded.
#include <chrono>
#include <thread>

constexpr int WAIT_MS = 10000;  // for anything the editor does in response to input

template <typename Condition>
bool waitUntil(Condition done, int timeoutMs = WAIT_MS, int pollMs = 2) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
    }
}
