// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes a file without ever cutting the old one. A target the user may not
// write is refused before anything is written. Normally the new content goes
// to a temporary file in the same folder, is flushed to disk, takes over the
// old file's permissions, owner and group (as far as the user may give them)
// and is then renamed over the old file. When the folder does not let the
// user replace the file (a shared folder the user may not write), the file
// is rewritten where it is instead, with its old content kept in memory and
// written back if any step fails. Whatever fails, the old file stays as it
// was and no temporary file is left behind. A rewrite in place is ordered
// so that a run killed in the middle leaves the old content, the new one,
// or a file its reader takes as damaged (see InPlaceWrite.h).
//
// The temporary file is ".<name>.quintara-XXXXXX", the name shortened where
// the whole would not fit the folder's limit (255 bytes), so that every
// name that can be opened can be saved. It stays locked (flock) while it
// exists; a save removes the temporary files of the user's killed runs from
// its folder, those whose lock it can take.

#include "platform/files/ByteStream.h"
#include "platform/files/FileFaults.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <sys/types.h>
#include <vector>

class SafeFileSave {
public:
    enum class Writer {
        Stream, // the content is written to Stream()
        ByName, // someone else writes the file TempPath() names
    };
    enum class Method { Replace, InPlace };

    explicit SafeFileSave(const QString& path, Writer writer = Writer::Stream);
    ~SafeFileSave(); // removes the temporary file unless committed
    SafeFileSave(const SafeFileSave&) = delete;
    SafeFileSave& operator=(const SafeFileSave&) = delete;

    // Checks the target and prepares the writing. False with Error() set on
    // failure (EACCES when the user may not write the target; a writer by
    // name cannot rewrite a file in place either).
    bool Open();
    ByteStream& Stream() { return *stream_; }
    // Flushes, syncs and puts the new content in place of the target.
    bool Commit();
    // Removes the temporary file; the target stays untouched.
    void Abort();

    // For a rewrite in place of content longer than `limit` bytes: a start
    // for the file, at most `limit` bytes, that the content's reader takes
    // as damaged whatever follows it, or nothing when there is none.
    using DamagedHead = std::function<std::vector<std::uint8_t>(
        const std::vector<std::uint8_t>& content, std::size_t limit)>;
    void SetDamagedHead(DamagedHead head) { damagedHead_ = std::move(head); }

    int Error() const { return error_; }
    const QString& TempPath() const { return tempPath_; }

private:
    bool Fail(int error);
    bool OpenTemporary();
    bool OpenInPlace();
    bool CommitReplace();
    bool CommitInPlace();
    std::vector<std::uint8_t> DamagedHeadOf(const std::vector<std::uint8_t>& content) const;
    // Writes the old content back after a failed rewrite, then fails.
    bool Restore(int error);

    QString target_;
    Writer writer_;
    Method method_ = Method::Replace;
    QString tempPath_;
    int fd_ = -1;
    int lockFd_ = -1; // holds the temporary file's lock
    std::unique_ptr<ByteStream> stream_;
    MemoryByteStream* memory_ = nullptr; // the new content of a rewrite in place
    std::vector<std::uint8_t> oldContent_;
    DamagedHead damagedHead_;
    bool committed_ = false;
    int error_ = 0;
};
