#include "document/undo/FontStep.h"

#include "document/LayoutSettings.h"
#include "document/V7NamenDoc.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

FontStep::FontStep(CV7NamenDoc& doc, const std::optional<LOGFONTA>& before, const LOGFONTA& after)
    : QUndoCommand(LoadStr(IDS_STEP_FONT)), doc_(doc), before_(before), after_(after) {}

void FontStep::undo() {
    Put(before_);
}

void FontStep::redo() {
    Put(after_);
}

void FontStep::Put(const std::optional<LOGFONTA>& font) {
    if (LayoutSettings* settings = doc_.Settings()) {
        settings->labelFont.DeleteObject();
        if (font)
            settings->labelFont.CreateFontIndirect(*font);
    }
    doc_.UpdateAllViews();
}
