#pragma once
// Undo step: all 16 names and colours replaced at once, as a receive from
// the apparatus does; the caller names the step.

#include "platform/base/WinTypes.h"

#include <QUndoCommand>
#include <string>
#include <vector>

class CV7NamenDoc;

class NamesAndColorsStep : public QUndoCommand {
public:
    struct Fields {
        std::vector<std::string> names;
        std::vector<COLORREF> colors;
    };
    NamesAndColorsStep(CV7NamenDoc& doc, Fields before, Fields after, const QString& text);
    void undo() override;
    void redo() override;

private:
    void Put(const Fields& fields);

    CV7NamenDoc& doc_;
    Fields before_;
    Fields after_;
};
