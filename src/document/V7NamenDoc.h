#pragma once
// One key strip: the 16 names and the 16 field colours.

#include "platform/base/WinTypes.h"
#include "platform/framework/DocumentBase.h"

#include <string>
#include <vector>

struct LayoutSettings;

class CV7NamenDoc : public DocumentBase {
public:
    static constexpr int kFieldCount = 16;

    CV7NamenDoc();

    bool ResetToNew() override;
    void DeleteContents() override;
    void Serialize(Archive& ar) override;

    // The name of field index, or the empty text outside the array.
    const std::string& GetName(int index) const;
    // Stores text as the name of field index when index is in range and the
    // text differs; only then the document becomes modified.
    void SetName(int index, const std::string& text);
    // Field index's own colour (0: none), also 0 outside the array.
    COLORREF GetColor(int index) const;
    // Stores color as field index's own colour when index is in range and
    // the colour differs; only then the document becomes modified. Answers
    // whether it changed.
    bool SetColor(int index, COLORREF color);
    // Inserts an empty field without colour at index; the last field drops out.
    void InsertField(int index);
    // Removes field index; an empty field without colour is appended.
    void RemoveField(int index);

    // The layout settings of the first view, or null without a view.
    LayoutSettings* Settings() const;

    // Fetches the 16 names from the apparatus (the receive dialog); after a
    // complete answer the strip is a new, modified document with those names.
    void OnReceiveNames();

    // Entry i is the name of field i (8-bit text, code page 1252).
    std::vector<std::string> names;
    // Entry i is field i's own colour; 0 means none.
    std::vector<COLORREF> colors;
};
