#pragma once
// Undo step: one field's own colour set or taken back to the default shade.

#include "platform/base/WinTypes.h"

#include <QUndoCommand>

class CV7NamenDoc;

class FieldColorStep : public QUndoCommand {
public:
    FieldColorStep(CV7NamenDoc& doc, int index, COLORREF before, COLORREF after);
    void undo() override;
    void redo() override;

private:
    void Put(COLORREF color);

    CV7NamenDoc& doc_;
    int index_;
    COLORREF before_;
    COLORREF after_;
};
