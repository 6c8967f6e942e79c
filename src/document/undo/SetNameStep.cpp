#include "document/undo/SetNameStep.h"

#include "document/V7NamenDoc.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

SetNameStep::SetNameStep(CV7NamenDoc& doc, int index, std::string before, std::string after)
    : QUndoCommand(LoadStr(IDS_STEP_NAME)), doc_(doc), index_(index), before_(std::move(before)),
      after_(std::move(after)) {}

void SetNameStep::undo() {
    Put(before_);
}

void SetNameStep::redo() {
    Put(after_);
}

void SetNameStep::Put(const std::string& name) {
    doc_.names.at(std::size_t(index_)) = name;
    doc_.UpdateAllViews();
}
