// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The later start's end of the hand-over.

#include <QByteArray>
#include <QString>

class HandOverClient {
public:
    // Only Accepted means that the running program opens the file; after
    // any other outcome this start opens it itself.
    enum class Outcome { NoServer, Accepted, Rejected, NoAnswer, OtherUser };

    // Hands absolutePath, with this start's activation token when it has
    // one, to the program serving name and waits for its answer at most
    // timeoutMs.
    static Outcome Send(const QString& name, const QString& absolutePath, int timeoutMs,
                        const QByteArray& token = QByteArray());
    // path as the user meant it: relative to workingDir.
    static QString Resolve(const QString& path, const QString& workingDir);
};
