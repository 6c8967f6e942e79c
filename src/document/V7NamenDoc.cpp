#include "document/V7NamenDoc.h"

#include "device/ReceiveDlg.h"
#include "document/LayoutSettings.h"
#include "document/V7NFile.h"
#include "platform/files/Archive.h"
#include "platform/framework/ScrollViewBase.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"

namespace {
const std::string kEmpty;
}

CV7NamenDoc::CV7NamenDoc() {
    OnCommand(ID_RECEIVE_NAMES, [this] { OnReceiveNames(); });
}

void CV7NamenDoc::OnReceiveNames() {
    if (!SaveModified())
        return;
    CReceiveDlg dialog;
    if (GetUiHost().RunModal(dialog) != QDialog::Accepted)
        return;
    // The title stays; the path goes, so that Save asks for a file name.
    ResetToNew();
    const std::vector<std::string>& received = dialog.ReceivedNames();
    for (std::size_t i = 0; i < names.size() && i < received.size(); ++i)
        names[i] = received[i];
    SetModifiedFlag(true);
    UpdateAllViews();
}

bool CV7NamenDoc::ResetToNew() {
    DocumentBase::ResetToNew();
    std::vector<std::string>().swap(names);
    std::vector<COLORREF>().swap(colors);
    names.resize(kFieldCount);
    colors.resize(kFieldCount, 0);
    return true;
}

void CV7NamenDoc::DeleteContents() {
    // Whatever is loaded next starts from an empty strip, so the document
    // never shows fewer than 16 fields or the names of a previous file.
    names.assign(kFieldCount, std::string());
    colors.assign(kFieldCount, 0);
}

LayoutSettings* CV7NamenDoc::Settings() const {
    return dynamic_cast<LayoutSettings*>(GetFirstView());
}

void CV7NamenDoc::Serialize(Archive& ar) {
    // The settings live in the first view; without one nothing is written or read.
    LayoutSettings* settings = Settings();
    if (!settings)
        return;
    if (ar.IsStoring()) {
        v7n::Write(ar, *settings, colors, names);
        return;
    }
    StripData data;
    if (!v7n::Read(ar, data))
        return;
    // Everything arrived: apply settings, font, colours and names together.
    v7n::ApplySettings(data, *settings);
    colors = std::move(data.colors);
    names = std::move(data.names);
}

const std::string& CV7NamenDoc::GetName(int index) const {
    if (index < 0 || index >= int(names.size()))
        return kEmpty;
    return names[std::size_t(index)];
}

void CV7NamenDoc::SetName(int index, const std::string& text) {
    if (index < 0 || index >= int(names.size()))
        return;
    if (names[std::size_t(index)] == text)
        return;
    names[std::size_t(index)] = text;
    SetModifiedFlag(true);
}

COLORREF CV7NamenDoc::GetColor(int index) const {
    if (index < 0 || index >= int(colors.size()))
        return 0;
    return colors[std::size_t(index)];
}

bool CV7NamenDoc::SetColor(int index, COLORREF color) {
    if (index < 0 || index >= int(colors.size()))
        return false;
    if (colors[std::size_t(index)] == color)
        return false;
    colors[std::size_t(index)] = color;
    SetModifiedFlag(true);
    return true;
}

void CV7NamenDoc::InsertField(int index) {
    if (index < 0 || index >= int(names.size()))
        return;
    colors.resize(names.size(), 0); // both arrays always move together
    names.insert(names.begin() + index, std::string());
    names.pop_back();
    colors.insert(colors.begin() + index, 0);
    colors.pop_back();
    SetModifiedFlag(true);
}

void CV7NamenDoc::RemoveField(int index) {
    if (index < 0 || index >= int(names.size()))
        return;
    colors.resize(names.size(), 0);
    names.erase(names.begin() + index);
    names.emplace_back();
    colors.erase(colors.begin() + index);
    colors.push_back(0);
    SetModifiedFlag(true);
}
