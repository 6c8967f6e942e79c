// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the program's colour chooser twice, as a user would, and ends, so
// that a test can see what a whole run leaves in the user's configuration
// folder. The first chooser adds a colour to the custom colours and is
// confirmed; the second must offer it again and is cancelled.
// Exit code 0 when the custom colours behaved, 1 otherwise.

#include "platform/dialogs/QtUiHost.h"

#include <QApplication>
#include <QColorDialog>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

constexpr COLORREF kChosen = RGB(0x12, 0x34, 0x56);

// Acts on the colour chooser once it is open.
void WhenOpen(std::function<void(QColorDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget()))
            act(*dialog);
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtUiHost host;
    CustomColors custom;
    custom.fill(0xFFFFFF);

    const QString add = QColorDialog::tr("&Add to Custom Colors");
    WhenOpen([add](QColorDialog& dialog) {
        dialog.setCurrentColor(QColor(0x12, 0x34, 0x56));
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == add)
                button->click();
        }
        dialog.accept();
    });
    COLORREF color = 0;
    if (!host.ChooseColor(color, custom) || color != kChosen || custom[0] != kChosen) {
        std::fprintf(stderr, "the chooser did not keep the added colour\n");
        return 1;
    }

    QColor offered;
    WhenOpen([&offered](QColorDialog& dialog) {
        offered = QColorDialog::customColor(0);
        dialog.reject();
    });
    color = 0;
    if (host.ChooseColor(color, custom) || offered != QColor(0x12, 0x34, 0x56) ||
        custom[0] != kChosen) {
        std::fprintf(stderr, "the second chooser did not offer the custom colour\n");
        return 1;
    }
    return 0;
}
