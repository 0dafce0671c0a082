// Polling with a deadline: every wait of the end-to-end tests has one.
#pragma once

#include <chrono>
#include <thread>

namespace vx::e2e {

using Millis = std::chrono::milliseconds;

// How long a program gets to show a window after its start. Generous: the first
// start in a fresh prefix loads fonts and common controls.
constexpr Millis kStartTimeout{20000};
// How long a program gets to react to one input.
constexpr Millis kReactTimeout{5000};

constexpr Millis kPollInterval{50};

// Calls `done` until it returns true or `timeout` has passed; says whether it did.
template <class Done>
bool PollUntil(Millis timeout, Done done) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
}

}  // namespace vx::e2e
