// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutDlg.h"

#include "app/artwork/Artwork.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/FormatText.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(LoadStr(IDS_ABOUT_TITLE));
    setFont(dlu::DialogFont());
    setFixedSize(dlu::ToPixelsX(217), dlu::ToPixelsY(61));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* icon = new QLabel(this);
    const QRect iconRect = dlu::ToPixels(11, 17, 20, 20);
    icon->setPixmap(QPixmap::fromImage(artwork::AppIcon(32)));
    icon->setGeometry(iconRect.x(), iconRect.y(), 32, 32);

    auto* text = new QLabel(LoadStr(IDS_ABOUT_TEXT), this);
    text->setWordWrap(true);
    text->setGeometry(dlu::ToPixels(40, 6, 132, 18));
    auto* version = new QLabel(FormatString(IDS_ABOUT_VERSION, {QUINTARA_VERSION}), this);
    version->setGeometry(dlu::ToPixels(40, 27, 132, 8));
    auto* copyright = new QLabel(LoadStr(IDS_ABOUT_COPYRIGHT), this);
    copyright->setGeometry(dlu::ToPixels(40, 40, 132, 8));

    auto* ok = new QPushButton(LoadStr(IDS_BUTTON_OK), this);
    ok->setGeometry(dlu::ToPixels(178, 7, 32, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
