// SPDX-License-Identifier: GPL-3.0-or-later
// Fault campaigns: damaged files and settings that only a file can bring.

#include "PaperDc.h"
#include "ScriptedWindowHost.h"
#include "StripFiles.h"
#include "document/V7NamenDoc.h"
#include "platform/draw/LogFont.h"
#include "platform/printing/PrintInfo.h"
#include "view/V7NamenView.h"

#include <QTemporaryDir>
#include <climits>
#include <gtest/gtest.h>
#include <utility>

namespace {

struct Settings {
    LayoutValues values;
    LOGFONTA font;
    static Settings Of(const CV7NamenView& v) {
        Settings s{v.Values(), {}};
        v.labelFont.GetObject(&s.font);
        return s;
    }
    bool operator==(const Settings& o) const {
        return values == o.values && std::memcmp(&font, &o.font, sizeof font) == 0;
    }
};

// The strip drawn on a screen-like image and on a page of the given
// resolution and size (what falls outside the page is clipped).
std::pair<QImage, QImage> DrawBoth(CV7NamenView& view, int dpi = 600, QSize page = QSize(8, 8)) {
    QImage screen(view.viewport()->size(), QImage::Format_RGB32);
    screen.fill(Qt::white);
    {
        QPainter painter(&screen);
        DeviceContext dc(painter, DeviceContext::Attributes{});
        view.OnPrepareDC(dc);
        view.OnDraw(dc);
    }
    PaperDc paper(dpi, {}, false, page);
    PrintInfo info;
    view.OnBeginPrinting(*paper.dc, info);
    view.OnPrepareDC(*paper.dc);
    view.OnDraw(*paper.dc);
    view.OnEndPrinting(*paper.dc, info);
    return {screen, paper.image.copy()};
}

} // namespace

TEST(Campaign, EveryFlippedByteGivesAStripOrTheRefusalNeverTornSettings) {
    QTemporaryDir dir;
    ScriptedWindowHost ui;
    CV7NamenView view;
    CV7NamenDoc doc;
    doc.AddView(&view);
    doc.ResetToNew();
    int refused = 0;
    int loaded = 0;
    int damaged = 0; // loaded, with bytes after the last name
    for (const char* name : {"settings.V7N", "demo.V7N", "utf16.V7N"}) {
        const Bytes good = TestDataFile(name);
        for (std::size_t at = 0; at < good.size(); ++at) {
            for (std::uint8_t mask : {std::uint8_t(0xFF), std::uint8_t(0x80), std::uint8_t(0x01)}) {
                Bytes bad = good;
                bad[at] ^= mask;
                const QString path = dir.filePath("flip.V7N");
                WriteFileBytes(path, bad);
                const Settings before = Settings::Of(view);
                ui.messages.clear();
                if (doc.OnOpenDocument(path)) {
                    ++loaded;
                    // A length made shorter leaves bytes after the last name.
                    if (!ui.messages.empty()) {
                        ++damaged;
                        ASSERT_EQ(ui.messages.size(), 1u) << name << " " << at;
                        EXPECT_TRUE(ui.messages[0].text.contains(QString::fromUtf8("beschädigt")))
                            << name << " " << at;
                        EXPECT_TRUE(doc.IsModified()) << name << " " << at;
                    }
                } else {
                    ++refused;
                    ASSERT_EQ(ui.MessageTexts(), QStringList({"Unerwartetes Dateiformat."}))
                        << name << " " << at;
                    EXPECT_TRUE(Settings::Of(view) == before) << name << " " << at;
                }
                ASSERT_EQ(doc.names.size(), 16u);
                ASSERT_EQ(doc.colors.size(), 16u);
                DrawBoth(view);
            }
        }
    }
    ::testing::Test::RecordProperty("loaded", loaded);
    ::testing::Test::RecordProperty("refused", refused);
    ::testing::Test::RecordProperty("damaged", damaged);
    EXPECT_GT(refused, 0);
    EXPECT_GT(loaded, refused);
    doc.RemoveView(&view);
}

TEST(Campaign, SettingsOnlyAFileCanBringDrawAsTheDefaultOrWithoutHarm) {
    CV7NamenView view;
    CV7NamenDoc doc;
    doc.AddView(&view);
    doc.ResetToNew();
    for (int i = 0; i < 16; ++i)
        doc.names[std::size_t(i)] = std::string(40, char('A' + i));
    // A page of 150 dpi that holds the whole strip at 100 %.
    const auto draw = [&view] { return DrawBoth(view, 150, QSize(300, 900)); };
    // A shade outside the table draws as grey; a scale of 0 or below as
    // 100 %, while the stored value stays.
    const auto grey = draw();
    for (std::int32_t shade : {INT_MIN, -1, 4, INT_MAX}) {
        view.shadeIndex = shade;
        EXPECT_TRUE(draw() == grey) << shade;
    }
    view.shadeIndex = 2;
    // Each stored scale and the one it is drawn at.
    const std::pair<std::int16_t, std::int16_t> zooms[] = {
        {-32768, 100}, {-1, 100}, {0, 100}, {1, 1}, {200, 200}, {32767, 32767}};
    for (const auto& [zx, drawnX] : zooms)
        for (const auto& [zy, drawnY] : zooms) {
            view.zoomX = drawnX, view.zoomY = drawnY;
            const auto expected = draw();
            view.zoomX = zx, view.zoomY = zy;
            EXPECT_TRUE(draw() == expected && view.zoomX == zx && view.zoomY == zy)
                << zx << " " << zy;
        }
    view.zoomX = view.zoomY = 100;
    for (std::int32_t length : {INT_MIN, -1, 0, 3000, INT_MAX}) {
        view.textOffset = view.leftMargin = view.topMargin = length;
        DrawBoth(view);
    }
    view.textOffset = 10;
    view.leftMargin = view.topMargin = 200;
    for (std::int32_t height : {INT_MIN, -5000, -1, 0, 1, 17, 5000, INT_MAX}) {
        LOGFONTA lf{};
        lf.lfHeight = height;
        lf.lfWidth = height;
        lf.lfWeight = height;
        logfont::SetFaceName(lf, "Arial");
        view.labelFont.CreateFontIndirect(lf);
        DrawBoth(view);
    }
    doc.RemoveView(&view);
}
