// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/LabelFont.h"
#include "platform/dialogs/FontChooser.h"
#include "platform/draw/LogFont.h"
#include "platform/draw/Screen.h"
#include "platform/files/Archive.h"
#include "view/V7NamenView.h"

#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTimer>
#include <cmath>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace {
LOGFONTA Description(const FontObject& f) {
    LOGFONTA lf;
    std::memset(&lf, 0xAA, sizeof lf);
    EXPECT_EQ(f.GetObject(&lf), 60);
    return lf;
}
} // namespace

TEST(LabelFont, DefaultsOfAFreshView) {
    CV7NamenView view;
    EXPECT_EQ(view.textOffset, 10);
    EXPECT_EQ(view.leftMargin, 200);
    EXPECT_EQ(view.topMargin, 200);
    EXPECT_EQ(view.zoomX, 100);
    EXPECT_EQ(view.zoomY, 100);
    EXPECT_EQ(view.shadeIndex, 2);
    EXPECT_EQ(ShadeColor(view.shadeIndex), 0xC0C0C0u);
    const LOGFONTA lf = Description(view.labelFont);
    EXPECT_EQ(lf.lfHeight, 17);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_FALSE(view.printerFont.HasFont());
}

TEST(LabelFont, ChooserOpensOnTheDrawnFontAndKeepsItWhenConfirmed) {
    LOGFONTA arial{};
    logfont::SetFaceName(arial, "Arial");
    arial.lfHeight = 17;
    const QFontInfo drawn(logfont::ToQFont(arial));
    const int dpi = ScreenDpiY();
    // Runs the chooser on lf; `act` gets the open dialog before it is confirmed.
    auto choose = [](LOGFONTA& lf, const std::function<void(QFontDialog&)>& act) {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no font chooser";
                QApplication::activeModalWidget()->close();
                return;
            }
            act(*dialog);
            dialog->accept();
        });
        return fontchooser::Run(lf, nullptr);
    };

    LOGFONTA lf = arial;
    ASSERT_TRUE(choose(lf, [&](QFontDialog& d) {
        EXPECT_EQ(d.currentFont().family(), drawn.family());
        EXPECT_EQ(d.currentFont().pointSize(), std::lround(drawn.pixelSize() * 72.0 / dpi));
        const auto* sample = d.findChild<QLineEdit*>("qt_fontDialog_sampleEdit");
        ASSERT_TRUE(sample);
        EXPECT_GE(sample->height(), QFontMetrics(sample->font()).height()) << "sample visible";
    }));
    EXPECT_EQ(std::memcmp(&lf, &arial, sizeof lf), 0) << "confirmed as opened: byte for byte";

    // Another size of the same family keeps the face the description named.
    ASSERT_TRUE(choose(lf, [&](QFontDialog& d) { d.setCurrentFont(QFont(drawn.family(), 14)); }));
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_EQ(lf.lfHeight, -std::lround(14 * dpi / 72.0));

    ASSERT_TRUE(
        choose(lf, [](QFontDialog& d) { d.setCurrentFont(QFont("Liberation Serif", 12)); }));
    EXPECT_STREQ(lf.lfFaceName, "Liberation Serif");
    EXPECT_EQ(lf.lfHeight, -std::lround(12 * dpi / 72.0));
    EXPECT_EQ(lf.lfWeight, 400);
}
