// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An event that stays signalled until it is reset: every waiter passes while
// it is set. Used to hand a buffer from one thread to another.

#include <condition_variable>
#include <cstdint>
#include <mutex>

class ManualResetEvent {
public:
    explicit ManualResetEvent(bool signalled = false) : signalled_(signalled) {}
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void Set();
    void Reset();
    // Waits until the event is set, at most `milliseconds`. True when it is
    // set, false when the time ran out first.
    bool Wait(std::uint32_t milliseconds);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_;
};
