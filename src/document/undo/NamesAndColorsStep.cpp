#include "document/undo/NamesAndColorsStep.h"

#include "document/V7NamenDoc.h"

NamesAndColorsStep::NamesAndColorsStep(CV7NamenDoc& doc, Fields before, Fields after,
                                       const QString& text)
    : QUndoCommand(text), doc_(doc), before_(std::move(before)), after_(std::move(after)) {}

void NamesAndColorsStep::undo() {
    Put(before_);
}

void NamesAndColorsStep::redo() {
    Put(after_);
}

void NamesAndColorsStep::Put(const Fields& fields) {
    doc_.names = fields.names;
    doc_.colors = fields.colors;
    doc_.UpdateAllViews();
}
