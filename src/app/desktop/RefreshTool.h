// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starts one of the desktop's refresh tools (update-mime-database and the
// like) detached and quiet: nobody waits for it, it gets no terminal and
// none of this program's descriptors, and it has a time limit. A tool that
// has not ended by then (a FIFO among the files it reads blocks it for ever)
// is ended by the system, even after this program has gone.

#include <QString>
#include <QStringList>

class RefreshTool {
public:
    // program: a name found on PATH, or a path. False when it is not found
    // or cannot be started; what the tool itself does is not reported.
    static bool Start(const QString& program, const QStringList& arguments, int limitSeconds);
};
