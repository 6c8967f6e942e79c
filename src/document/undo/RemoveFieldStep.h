// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo step: a field removed, an empty one appended; it keeps the removed
// field to put it back.

#include "platform/base/WinTypes.h"

#include <QUndoCommand>
#include <string>

class CV7NamenDoc;

class RemoveFieldStep : public QUndoCommand {
public:
    RemoveFieldStep(CV7NamenDoc& doc, int index);
    void undo() override;
    void redo() override;

private:
    CV7NamenDoc& doc_;
    int index_;
    std::string removedName_;
    COLORREF removedColor_ = 0;
};
