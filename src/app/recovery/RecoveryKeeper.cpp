// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recovery/RecoveryKeeper.h"

#include "platform/files/SafeFileSave.h"

#include <QFile>

namespace {

bool WriteFile(const QString& path, const std::string& bytes) {
    SafeFileSave file(path);
    if (!file.Open())
        return false;
    if (!file.Stream().Write(bytes.data(), bytes.size())) {
        file.Abort();
        return false;
    }
    return file.Commit();
}

} // namespace

RecoveryKeeper::RecoveryKeeper(const recovery::Store& store, Taker take)
    : store_(store), take_(std::move(take)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        Job job = MakeJob();
        {
            const std::lock_guard<std::mutex> guard(mutex_);
            queued_ = std::move(job);
        }
        wake_.notify_one();
    });
}

RecoveryKeeper::~RecoveryKeeper() {
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (worker_.joinable())
        worker_.join();
    // Nothing left to offer: the lock file goes while it is still held.
    if (lock_ && !QFile::exists(store_.StripPath(stem_)))
        QFile::remove(store_.LockPath(stem_));
}

bool RecoveryKeeper::Start() {
    if (lock_ || !store_.Prepare())
        return false;
    stem_ = store_.NewStem();
    lock_ = recovery::Lock::Take(store_.LockPath(stem_), true);
    if (!lock_)
        return false;
    worker_ = std::thread([this] { Worker(); });
    return true;
}

void RecoveryKeeper::Schedule() {
    if (lock_)
        timer_.start();
}

RecoveryKeeper::Job RecoveryKeeper::MakeJob() {
    // The snapshot is taken on the UI thread, where the document lives; it
    // is a few hundred bytes.
    Job job;
    job.snapshot = take_();
    const std::lock_guard<std::mutex> guard(mutex_);
    job.serial = ++serial_;
    return job;
}

void RecoveryKeeper::WriteNow() {
    if (!lock_)
        return;
    timer_.stop();
    const Job job = MakeJob();
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        queued_.reset();
    }
    Perform(job);
}

void RecoveryKeeper::Discard() {
    if (!lock_)
        return;
    timer_.stop();
    Job job;
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        queued_.reset();
        job.serial = ++serial_;
    }
    Perform(job);
}

void RecoveryKeeper::Worker() {
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> guard(mutex_);
            wake_.wait(guard, [this] { return stopping_ || queued_.has_value(); });
            if (stopping_)
                return;
            job = std::move(*queued_);
            queued_.reset();
        }
        Perform(job);
    }
}

void RecoveryKeeper::Perform(const Job& job) {
    const std::lock_guard<std::mutex> guard(io_);
    if (job.serial <= done_)
        return;
    done_ = job.serial;
    if (!job.snapshot) {
        QFile::remove(store_.StripPath(stem_));
        QFile::remove(store_.InfoPath(stem_));
        return;
    }
    // The info first: a strip is only offered with what it belongs to.
    if (WriteFile(store_.InfoPath(stem_), recovery::EncodeInfo(job.snapshot->info)))
        WriteFile(store_.StripPath(stem_), job.snapshot->strip);
}
