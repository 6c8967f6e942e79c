// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recovery copy of the running window: shortly after each change the
// unsaved strip, with the path and title it belongs to, is written to the
// window's entry of the recovery store; once nothing is unsaved the entry
// goes. The writing happens on a thread of its own through the safe save,
// so the window never waits for the disk; WriteNow writes at once, for a
// signal that is about to end the program.

#include "app/recovery/RecoveryStore.h"

#include <QTimer>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class RecoveryKeeper {
public:
    // What the window holds unsaved: none when everything is saved.
    struct Snapshot {
        std::string strip; // the .V7N bytes
        recovery::Info info;
    };
    using Taker = std::function<std::optional<Snapshot>()>;

    // The copy waits this long after a change, so that typing writes once.
    static constexpr int kDelayMs = 250;

    RecoveryKeeper(const recovery::Store& store, Taker take);
    // Stops the writer; the entry stays as it is (see Discard), its lock
    // file only while it holds a strip.
    ~RecoveryKeeper();
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    // Takes the window's lock; false when the store cannot be used.
    bool Start();
    // A change: the copy follows after kDelayMs.
    void Schedule();
    // Writes the copy (or removes it) now, on this thread.
    void WriteNow();
    // Removes the window's entry: its changes were saved or given up.
    void Discard();
    const QString& Stem() const { return stem_; }

private:
    struct Job {
        std::uint64_t serial = 0;
        std::optional<Snapshot> snapshot; // none: remove the copy
    };
    void Worker();
    void Perform(const Job& job);
    Job MakeJob();

    const recovery::Store& store_;
    Taker take_;
    QString stem_;
    std::unique_ptr<recovery::Lock> lock_;
    QTimer timer_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> queued_;
    bool stopping_ = false;
    std::uint64_t serial_ = 0;
    // File work, by the writer or WriteNow; a job older than the last one
    // done is dropped.
    std::mutex io_;
    std::uint64_t done_ = 0;
    std::thread worker_;
};
