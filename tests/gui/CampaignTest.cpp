// Fault campaigns: damaged files and settings that only a file can bring.

#include "PaperDc.h"
#include "ScriptedUiHost.h"
#include "StripFiles.h"
#include "document/V7NamenDoc.h"
#include "platform/draw/LogFont.h"
#include "platform/framework/PrintInfo.h"
#include "view/V7NamenView.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <climits>
#include <gtest/gtest.h>

namespace {

struct Settings {
    std::int32_t textOffset, leftMargin, topMargin;
    std::int16_t zoomX, zoomY;
    std::int32_t shadeIndex;
    LOGFONTA font;
    static Settings Of(const CV7NamenView& v) {
        Settings s{v.textOffset, v.leftMargin, v.topMargin, v.zoomX, v.zoomY, v.shadeIndex, {}};
        v.labelFont.GetObject(&s.font);
        return s;
    }
    bool operator==(const Settings& o) const {
        return textOffset == o.textOffset && leftMargin == o.leftMargin &&
               topMargin == o.topMargin && zoomX == o.zoomX && zoomY == o.zoomY &&
               shadeIndex == o.shadeIndex && std::memcmp(&font, &o.font, sizeof font) == 0;
    }
};

// Draws the strip on a screen-like image and on a 600 dpi page.
void DrawBoth(CV7NamenView& view) {
    QImage screen(200, 520, QImage::Format_RGB32);
    {
        QPainter painter(&screen);
        DeviceContext dc(painter, DeviceContext::Attributes{});
        view.OnPrepareDC(dc);
        view.OnDraw(dc);
    }
    PaperDc paper(600); // a small page: what falls outside is clipped
    PrintInfo info;
    view.OnBeginPrinting(*paper.dc, info);
    view.OnPrepareDC(*paper.dc);
    view.OnDraw(*paper.dc);
    view.OnEndPrinting(*paper.dc, info);
}

} // namespace

TEST(Campaign, EveryFlippedByteGivesAStripOrTheRefusalNeverTornSettings) {
    QTemporaryDir dir;
    ScriptedUiHost ui;
    CV7NamenView view;
    view.resize(160, 520);
    CV7NamenDoc doc;
    doc.AddView(&view);
    doc.ResetToNew();
    int refused = 0;
    int loaded = 0;
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
                    EXPECT_TRUE(ui.messages.empty());
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
    EXPECT_GT(refused, 0);
    EXPECT_GT(loaded, refused);
    doc.RemoveView(&view);
}

TEST(Campaign, SettingsOnlyAFileCanBringDrawWithoutHarm) {
    CV7NamenView view;
    view.resize(160, 520);
    CV7NamenDoc doc;
    doc.AddView(&view);
    doc.ResetToNew();
    for (int i = 0; i < 16; ++i)
        doc.names[std::size_t(i)] = std::string(40, char('A' + i));
    QElapsedTimer timer;
    timer.start();
    const std::int32_t shades[] = {INT_MIN, -1, 0, 1, 2, 3, 4, INT_MAX};
    const std::int16_t zooms[] = {-32768, -1, 0, 1, 200, 32767};
    const std::int32_t lengths[] = {INT_MIN, -1, 0, 3000, INT_MAX};
    const std::int32_t heights[] = {INT_MIN, -5000, -1, 0, 1, 17, 5000, INT_MAX};
    for (std::int32_t shade : shades) {
        view.shadeIndex = shade;
        DrawBoth(view);
    }
    view.shadeIndex = 2;
    for (std::int16_t zx : zooms)
        for (std::int16_t zy : zooms) {
            view.zoomX = zx;
            view.zoomY = zy;
            DrawBoth(view);
        }
    view.zoomX = view.zoomY = 100;
    for (std::int32_t length : lengths) {
        view.textOffset = view.leftMargin = view.topMargin = length;
        DrawBoth(view);
    }
    view.textOffset = 10;
    view.leftMargin = view.topMargin = 200;
    for (std::int32_t height : heights) {
        LOGFONTA lf{};
        lf.lfHeight = height;
        lf.lfWidth = height;
        lf.lfWeight = height;
        logfont::SetFaceName(lf, "Arial");
        view.labelFont.CreateFontIndirect(lf);
        DrawBoth(view);
    }
    EXPECT_LT(timer.elapsed(), 60000) << "no drawing may hang";
    doc.RemoveView(&view);
}
