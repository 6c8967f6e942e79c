// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixture.h"
#include "document/LayoutSettings.h"
#include "resources/Resource.h"
#include "view/NameEdit.h"

#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QTest>

namespace {

class FieldMenu : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Start();
        ShowActive();
    }
    QColor FieldPixel(int i) {
        const QImage image = View().viewport()->grab().toImage();
        RECT r;
        View().GetFieldRect(i, r, nullptr);
        const POINT s = View().GetScrollPosition();
        return image.pixelColor(r.left + 1 - s.x, r.top + 2 - s.y);
    }
    static std::function<bool(COLORREF&, CustomColors&)> Pick(COLORREF c) {
        return [c](COLORREF& color, CustomColors&) {
            color = c;
            return true;
        };
    }
};

} // namespace

TEST_F(FieldMenu, OpensOnlyOverAFieldAndAlwaysCommitsTheEditor) {
    // Beside the strip: no menu, but the open field is stored.
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, FieldPoint(2));
    QTest::keyClicks(View().NameEdit(), "Zwei");
    RECT r;
    View().GetFieldRect(2, r, nullptr);
    QTest::mouseClick(View().viewport(), Qt::RightButton, {},
                      QPoint(r.right + 10 - View().GetScrollPosition().x, FieldPoint(2).y()));
    EXPECT_TRUE(ui->menus.empty());
    EXPECT_EQ(View().menuIndex, -1);
    EXPECT_EQ(Doc().GetName(2), "Zwei");
    EXPECT_EQ(View().editIndex, -1);

    // On field 6 while field 2 is edited: field 2 first, then the menu for 6.
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, FieldPoint(2));
    QTest::keyClicks(View().NameEdit(), "!");
    RightClickField(6, -1);
    EXPECT_EQ(Doc().GetName(2), "Zwei!");
    ASSERT_EQ(ui->menus.size(), 1u);
    EXPECT_EQ(View().menuIndex, 6);
    EXPECT_EQ(
        ui->menus[0].items,
        QStringList({QString::fromUtf8("Hintergrundfarbe ändern..."), "Hintergrundfarbe grau/weiss",
                     QString::fromUtf8("Feld einfügen"), "Feld entfernen"}));
    EXPECT_EQ(ui->menus[0].statusTips[3], QString("Entfernt dieses Namen-Feld"));
    EXPECT_EQ(ui->menus[0].position, View().viewport()->mapToGlobal(FieldPoint(6)));
    EXPECT_EQ(Frame().MessagePane()->text(), QString("Zusatzfunktionen: rechte Maustaste"));
}

TEST_F(FieldMenu, ColourChooserChangesOnlyWhatReallyChanged) {
    // Cancelled: nothing; the chooser starts on black for a field without colour.
    RightClickField(4, 0);
    ASSERT_EQ(ui->colorRequests.size(), 1u);
    EXPECT_EQ(ui->colorRequests[0], 0u);
    EXPECT_FALSE(Doc().IsModified());

    ui->colorAnswers.push_back(Pick(0x00FFFF)); // yellow
    RightClickField(4, 0);
    EXPECT_EQ(Doc().colors[4], 0x00FFFFu);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(FieldPixel(4), QColor(255, 255, 0));

    // The same colour again, and black on a field without colour: no change.
    Doc().SetModifiedFlag(false);
    ui->colorAnswers.push_back(Pick(0x00FFFF));
    RightClickField(4, 0);
    EXPECT_EQ(ui->colorRequests.back(), 0x00FFFFu);
    ui->colorAnswers.push_back(Pick(0));
    RightClickField(5, 0);
    EXPECT_FALSE(Doc().IsModified());

    // Black on a coloured field gives it its default background back.
    ui->colorAnswers.push_back(Pick(0));
    RightClickField(4, 0);
    EXPECT_EQ(Doc().colors[4], 0u);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(FieldPixel(4), QColor(255, 255, 255));
}

TEST_F(FieldMenu, DefaultBackgroundOnlyForColouredFields) {
    RightClickField(3, 1);
    EXPECT_FALSE(Doc().IsModified());
    Doc().colors[3] = 0x0000FF;
    RightClickField(3, 1);
    EXPECT_EQ(Doc().colors[3], 0u);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(FieldPixel(3), QColor(0xC0, 0xC0, 0xC0)) << "field 3 is odd: the grey shade";
}

TEST_F(FieldMenu, InsertAndRemoveCarryColoursWhileShadesFollowPositions) {
    for (int i = 0; i < 16; ++i)
        Doc().names[std::size_t(i)] = "F" + std::to_string(i);
    Doc().colors[0] = 0x0000FF;  // red
    Doc().colors[15] = 0x00FF00; // green
    RightClickField(0, 2);
    EXPECT_EQ(Doc().GetName(0), "");
    EXPECT_EQ(Doc().GetName(1), "F0");
    EXPECT_EQ(Doc().colors[1], 0x0000FFu);
    EXPECT_EQ(Doc().colors[15], 0u) << "the old field 15 dropped out";
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(FieldPixel(1), QColor(255, 0, 0));
    EXPECT_EQ(FieldPixel(0), QColor(255, 255, 255));
    EXPECT_EQ(FieldPixel(2), QColor(255, 255, 255)) << "F1 moved to an even field: white";
    EXPECT_EQ(FieldPixel(3), QColor(0xC0, 0xC0, 0xC0));

    RightClickField(0, 3);
    EXPECT_EQ(Doc().GetName(0), "F0");
    EXPECT_EQ(Doc().colors[0], 0x0000FFu);
    EXPECT_EQ(Doc().GetName(15), "");
    EXPECT_EQ(FieldPixel(1), QColor(0xC0, 0xC0, 0xC0));

    Doc().colors[15] = 0x00FF00;
    Doc().names[15] = "letzte";
    RightClickField(15, 3);
    EXPECT_EQ(Doc().GetName(15), "");
    EXPECT_EQ(Doc().colors[15], 0u);
    Doc().colors[15] = 0x00FF00;
    RightClickField(15, 2);
    EXPECT_EQ(Doc().colors[15], 0u);
    EXPECT_EQ(Doc().GetName(14), "F14");
}

TEST_F(FieldMenu, CustomColoursComeBackWithinTheRun) {
    EXPECT_EQ(View().customColors[0], 0xFFFFFFu);
    ui->colorAnswers.push_back([](COLORREF& c, CustomColors& custom) {
        custom[3] = 0x123456;
        c = 0x123456;
        return true;
    });
    RightClickField(1, 0);
    CustomColors seen{};
    ui->colorAnswers.push_back([&seen](COLORREF&, CustomColors& custom) {
        seen = custom;
        return false;
    });
    RightClickField(2, 0);
    EXPECT_EQ(seen[3], 0x123456u);
    EXPECT_EQ(seen[0], 0xFFFFFFu);
}

// Qt keeps the colour chooser's custom colours in QtProject.conf, shared by
// every Qt program. A run of the real chooser that adds a custom colour must
// leave that file as it was: absent, or another program's, byte for byte.
// The probe is a program of its own, so that everything a run does up to
// its very end is seen.
TEST(ColourChooserRun, LeavesTheSharedQtSettingsAlone) {
    // As another Qt program left it; a rewrite would not keep the comment.
    const QByteArray foreign = "; written by hand\n[Qt]\ncustomColors\\0=4278255360\n";
    for (const bool existed : {false, true}) {
        QTemporaryDir config;
        const QString conf = config.filePath(QStringLiteral("QtProject.conf"));
        if (existed) {
            QFile file(conf);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(foreign);
        }
        QProcess probe;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        probe.setProcessEnvironment(env);
        probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        probe.start(QStringLiteral(QUINTARA_BINARY_DIR "/tests/color_chooser_probe"));
        ASSERT_TRUE(probe.waitForFinished(20000));
        EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(probe.exitCode(), 0);
        if (existed) {
            QFile file(conf);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll().toStdString(), foreign.toStdString());
        } else {
            EXPECT_FALSE(QFileInfo::exists(conf));
        }
    }
}
