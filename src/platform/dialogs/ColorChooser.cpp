// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/ColorChooser.h"

#include <QColorDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

namespace {

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF ToColorRef(const QColor& c) {
    return RGB(BYTE(c.red()), BYTE(c.green()), BYTE(c.blue()));
}

// While it lives, settings of the user scope (Qt's own QtProject.conf among
// them) go to a scratch folder; afterwards to the user's configuration
// folder again. The program's profile names its file and is not affected.
class ScratchUserSettings {
public:
    ScratchUserSettings() {
        // Without a scratch folder, one that cannot be made: nothing is written.
        const QString path = scratch_.isValid() ? scratch_.path() : QStringLiteral("/dev/null");
        for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, path);
    }
    ~ScratchUserSettings() {
        const QString home =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, home);
    }
    ScratchUserSettings(const ScratchUserSettings&) = delete;
    ScratchUserSettings& operator=(const ScratchUserSettings&) = delete;

private:
    QTemporaryDir scratch_;
};

} // namespace

namespace colorchooser {

bool Run(COLORREF& color, CustomColors& custom, QWidget* owner) {
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, ToQColor(custom[std::size_t(i)]));
    auto dialog = std::make_unique<QColorDialog>(ToQColor(color), owner);
    dialog->setOption(QColorDialog::DontUseNativeDialog);
    const bool ok = dialog->exec() == QDialog::Accepted;
    for (int i = 0; i < 16; ++i)
        custom[std::size_t(i)] = ToColorRef(QColorDialog::customColor(i));
    const QColor chosen = dialog->selectedColor();
    {
        // Qt writes its custom colours as the chooser goes.
        const ScratchUserSettings scratch;
        dialog.reset();
    }
    if (!ok)
        return false;
    color = ToColorRef(chosen);
    return true;
}

} // namespace colorchooser
