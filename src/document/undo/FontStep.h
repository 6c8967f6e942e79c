#pragma once
// Undo step: the label font's 60-byte description replaced.

#include "platform/base/WinTypes.h"

#include <QUndoCommand>
#include <optional>

class CV7NamenDoc;

class FontStep : public QUndoCommand {
public:
    // before: the description in use, none when there was no font.
    FontStep(CV7NamenDoc& doc, const std::optional<LOGFONTA>& before, const LOGFONTA& after);
    void undo() override;
    void redo() override;

private:
    void Put(const std::optional<LOGFONTA>& font);

    CV7NamenDoc& doc_;
    std::optional<LOGFONTA> before_;
    LOGFONTA after_;
};
