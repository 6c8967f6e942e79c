#pragma once
// Writes a file without ever cutting the old one: the new content goes to a
// temporary file in the same folder, is flushed to disk, takes over the old
// file's permissions and is then renamed over the old file. Whatever fails,
// the old file stays as it was and the temporary file is removed.

#include "platform/ByteStream.h"
#include "platform/FileFaults.h"

#include <QString>
#include <memory>

class SafeFileSave {
public:
    explicit SafeFileSave(const QString& path);
    ~SafeFileSave(); // removes the temporary file unless committed
    SafeFileSave(const SafeFileSave&) = delete;
    SafeFileSave& operator=(const SafeFileSave&) = delete;

    // Creates the temporary file. False with Error() set on failure.
    bool Open();
    ByteStream& Stream() { return *stream_; }
    // Flushes, syncs and renames the temporary file over the target.
    bool Commit();
    // Removes the temporary file; the target stays untouched.
    void Abort();

    int Error() const { return error_; }
    fault::Step FailedStep() const { return failedStep_; }
    const QString& TempPath() const { return tempPath_; }

private:
    bool Fail(fault::Step step, int error);

    QString target_;
    QString tempPath_;
    int fd_ = -1;
    std::unique_ptr<FdByteStream> stream_;
    bool committed_ = false;
    int error_ = 0;
    fault::Step failedStep_ = fault::Step::Open;
};
