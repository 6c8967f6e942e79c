// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo step: an empty field inserted; it keeps the last field, which drops
// out, to bring it back.

#include "platform/base/WinTypes.h"

#include <QUndoCommand>
#include <string>

class CV7NamenDoc;

class InsertFieldStep : public QUndoCommand {
public:
    InsertFieldStep(CV7NamenDoc& doc, int index);
    void undo() override;
    void redo() override;

private:
    CV7NamenDoc& doc_;
    int index_;
    std::string droppedName_;
    COLORREF droppedColor_ = 0;
};
