#include "document/undo/FieldColorStep.h"

#include "document/V7NamenDoc.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

FieldColorStep::FieldColorStep(CV7NamenDoc& doc, int index, COLORREF before, COLORREF after)
    : QUndoCommand(LoadStr(after == 0 ? IDS_STEP_DEFAULT_COLOR : IDS_STEP_COLOR)), doc_(doc),
      index_(index), before_(before), after_(after) {}

void FieldColorStep::undo() {
    Put(before_);
}

void FieldColorStep::redo() {
    Put(after_);
}

void FieldColorStep::Put(COLORREF color) {
    doc_.colors.at(std::size_t(index_)) = color;
    doc_.UpdateAllViews();
}
