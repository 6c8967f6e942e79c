// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedUiHost.h"
#include "StripFiles.h"
#include "document/SettingsView.h"
#include "document/V7NamenDoc.h"
#include "platform/files/Archive.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
#define QUINTARA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define QUINTARA_ASAN 1
#endif
#endif

// Caps the process's address space a little above what it uses now, so that
// a loader that allocates for a hostile count fails loudly instead of
// quietly growing. Sanitizers reserve huge shadow areas; there it does nothing.
class AddressSpaceCap {
public:
    AddressSpaceCap() {
#ifndef QUINTARA_ASAN
        std::ifstream statm("/proc/self/statm");
        unsigned long pages = 0;
        statm >> pages;
        getrlimit(RLIMIT_AS, &old_);
        rlimit cap = old_;
        cap.rlim_cur = pages * 4096ul + 64ul * 1024 * 1024;
        active_ = setrlimit(RLIMIT_AS, &cap) == 0;
#endif
    }
    ~AddressSpaceCap() {
        if (active_)
            setrlimit(RLIMIT_AS, &old_);
    }

private:
    rlimit old_{};
    bool active_ = false;
};

class FileFormat : public ::testing::Test {
protected:
    void SetUp() override {
        doc.AddView(&view);
        doc.ResetToNew();
        doc.SetTitle("Unbenannt");
    }
    void TearDown() override { doc.RemoveView(&view); }

    Bytes Save() {
        MemoryByteStream out;
        Archive ar(out, Archive::Mode::Store);
        doc.Serialize(ar);
        ar.Close();
        EXPECT_TRUE(ar.Ok());
        return out.Bytes();
    }
    // Opens the bytes as a file, through the framework's Open.
    bool Open(const Bytes& bytes, const QString& name = "t.V7N") {
        const QString path = dir.filePath(name);
        WriteFileBytes(path, bytes);
        const bool ok = doc.OnOpenDocument(path);
        if (ok)
            doc.SetPathName(path, false);
        return ok;
    }
    static constexpr LayoutValues kOdd{33, 444, 555, 77, 88, 3};
    void SetOddSettings() {
        view.Values() = kOdd;
        view.labelFont.Create("Liberation Mono", -13, 700, 1);
    }
    void ExpectOddSettings() {
        EXPECT_EQ(view.Values(), kOdd);
        LOGFONTA lf{};
        view.labelFont.GetObject(&lf);
        EXPECT_EQ(lf.lfHeight, -13);
        EXPECT_STREQ(lf.lfFaceName, "Liberation Mono");
    }
    void ExpectEmptyStrip() {
        ASSERT_EQ(doc.names.size(), 16u);
        ASSERT_EQ(doc.colors.size(), 16u);
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(doc.GetName(i), "");
            EXPECT_EQ(doc.colors[std::size_t(i)], 0u);
        }
    }

    QTemporaryDir dir;
    ScriptedUiHost ui;
    SettingsView view;
    CV7NamenDoc doc;
};

} // namespace

TEST_F(FileFormat, NewStripSavesAsTheWorkedExample) {
    const Bytes expected = TestDataFile("default.V7N");
    ASSERT_EQ(expected.size(), 164u);
    EXPECT_EQ(Save(), expected);

    doc.SetName(0, "ABC");
    Bytes withName = expected;
    withName[148] = 3;
    const char abc[] = "ABC";
    withName.insert(withName.begin() + 149, abc, abc + 3);
    EXPECT_EQ(Save(), withName);
    EXPECT_EQ(withName.size(), 167u);
}

TEST_F(FileFormat, LoadingAndSavingAgainGivesTheSameBytes) {
    for (const char* name : {"default.V7N", "demo.V7N", "settings.V7N"}) {
        const Bytes original = TestDataFile(name);
        ASSERT_TRUE(Open(original)) << name;
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(Save(), original) << name;
    }
    // The settings file's values arrived where they belong.
    EXPECT_EQ(view.Values(), (LayoutValues{55, 150, 250, 97, 103, 1}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileFormat, TextLengthsUseTheirThreeForms) {
    struct Case {
        std::size_t length;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0x2C, 0x01}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        const std::string name(c.length, 'x');
        doc.SetName(0, name);
        const Bytes saved = Save();
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), saved.begin() + 148)) << c.length;
        EXPECT_EQ(saved.size(), 148 + c.prefix.size() + c.length + 15);
        doc.SetName(0, "other");
        ASSERT_TRUE(Open(saved));
        EXPECT_EQ(doc.GetName(0), name);
    }
}

TEST_F(FileFormat, Utf16NamesArriveInCodePage1252) {
    ASSERT_TRUE(Open(TestDataFile("utf16.V7N")));
    EXPECT_EQ(doc.GetName(0), std::string("\xC4rger"));
    EXPECT_EQ(doc.GetName(1), "AB") << "the name ends at its first zero code unit";
    EXPECT_EQ(doc.GetName(2), "");

    // A character code page 1252 cannot hold arrives as '?'.
    Bytes b = DefaultHead();
    PutU16(b, 16);
    b.insert(b.end(), 64, 0);
    PutU16(b, 16);
    const Bytes marked = {0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x01, 0x42, 0x00};
    b.insert(b.end(), marked.begin(), marked.end());
    b.insert(b.end(), 15, 0);
    ASSERT_TRUE(Open(b));
    EXPECT_EQ(doc.GetName(0), "?B");
}

TEST_F(FileFormat, BytesAfterTheLastNameOpenWithTheWarningAndSaveRepairsThem) {
    // What a rewrite in place cut short by a kill left: the whole new strip,
    // then the rest of a longer old one.
    Bytes b = TestDataFile("demo.V7N");
    const Bytes original = b;
    b.insert(b.end(), {0xDE, 0xAD, 0xBE, 0xEF, 0xFF});
    ASSERT_TRUE(Open(b, "kaputt.V7N"));
    const QString path = dir.filePath("kaputt.V7N");
    ASSERT_EQ(ui.MessageTexts().size(), 1);
    EXPECT_EQ(ui.MessageTexts()[0],
              QString::fromUtf8("Die Datei %1 ist beschädigt: Hinter dem letzten Namen stehen noch "
                                "Daten, wohl von einem abgebrochenen Speichern. Geöffnet wurde, "
                                "was sich lesen ließ; prüfen Sie den Streifen und speichern Sie "
                                "ihn, um die Datei zu reparieren.")
                  .arg(path));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Save(), original) << "everything before the tail was read";

    // Save writes the strip without the tail; the file then opens clean.
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ReadFileBytes(path), original);
    ui.messages.clear();
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(FileFormat, FileCutAnywhereIsRefusedWithoutTouchingTheSettings) {
    const Bytes full = TestDataFile("settings.V7N");
    for (std::size_t cut = 1; cut < full.size(); ++cut) {
        SetOddSettings();
        doc.SetName(4, "vorher");
        ui.messages.clear();
        EXPECT_FALSE(Open(Bytes(full.begin(), full.begin() + long(cut)))) << cut;
        ASSERT_EQ(ui.messages.size(), 1u) << cut;
        EXPECT_EQ(ui.messages[0].text, QString("Unerwartetes Dateiformat."));
        EXPECT_EQ(ui.messages[0].icon, MbIcon::Exclamation);
        ExpectOddSettings();
        ExpectEmptyStrip();
        EXPECT_EQ(doc.GetTitle(), QString("Unbenannt"));
        EXPECT_TRUE(doc.GetPathName().isEmpty());
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(FileFormat, EmptyFileOpensAsAnEmptyStripUnderItsName) {
    SetOddSettings();
    doc.SetName(3, "alt");
    doc.colors[3] = 0x123456;
    ASSERT_TRUE(Open({}, "leer.V7N"));
    EXPECT_TRUE(ui.messages.empty());
    ExpectEmptyStrip();
    ExpectOddSettings();
    EXPECT_EQ(doc.GetTitle(), QString("leer.V7N"));
    EXPECT_FALSE(doc.IsModified());

    // Also as the very first document, when the arrays are still empty.
    SettingsView view2;
    CV7NamenDoc fresh;
    fresh.AddView(&view2);
    const QString path = dir.filePath("leer2.V7N");
    WriteFileBytes(path, {});
    EXPECT_TRUE(fresh.OnOpenDocument(path));
    EXPECT_EQ(fresh.names.size(), 16u);
    EXPECT_EQ(fresh.colors.size(), 16u);
    fresh.RemoveView(&view2);
}

TEST_F(FileFormat, OtherCountsAreBroughtToSixteen) {
    auto file = [](std::uint32_t colors, std::uint32_t names) {
        Bytes b = DefaultHead();
        PutU16(b, std::uint16_t(colors));
        for (std::uint32_t i = 0; i < colors; ++i)
            PutU32(b, 0x100 + i);
        PutU16(b, std::uint16_t(names));
        for (std::uint32_t i = 0; i < names; ++i) {
            b.push_back(2);
            b.push_back('N');
            b.push_back(std::uint8_t('a' + i));
        }
        return b;
    };
    ASSERT_TRUE(Open(file(0, 0)));
    ExpectEmptyStrip();

    ASSERT_TRUE(Open(file(15, 15)));
    EXPECT_EQ(doc.GetName(14), "No");
    EXPECT_EQ(doc.colors[14], 0x10Eu);
    EXPECT_EQ(doc.GetName(15), "");
    EXPECT_EQ(doc.colors[15], 0u);

    ASSERT_TRUE(Open(file(17, 17)));
    ASSERT_EQ(doc.names.size(), 16u);
    ASSERT_EQ(doc.colors.size(), 16u);
    EXPECT_EQ(doc.GetName(15), "Np");
    EXPECT_EQ(doc.colors[15], 0x10Fu);
    // The 17th entries were read past, not mistaken for the names.
    Bytes saved = Save();
    EXPECT_EQ(saved.size(), 164u + 16 * 2);
}

TEST_F(FileFormat, HostileCountsAndLengthsAreRefusedBeforeAllocating) {
    std::vector<Bytes> hostile;
    {
        Bytes b = DefaultHead(); // 0xFFFFFFFF colours
        b.insert(b.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        b.insert(b.end(), 100, 0);
        hostile.push_back(b);
    }
    {
        Bytes b = DefaultHead(); // 0xFFFFFFFF names
        PutU16(b, 16);
        b.insert(b.end(), 64, 0);
        b.insert(b.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00});
        hostile.push_back(b);
    }
    {
        Bytes b = TestDataFile("default.V7N"); // one name, of 4 GB
        b.resize(148);
        b[146] = 1;
        b.insert(b.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'});
        hostile.push_back(b);
    }
    {
        Bytes b = TestDataFile("default.V7N"); // one UTF-16 name of 2 x 4 G units
        b.resize(148);
        b[146] = 1;
        b.insert(b.end(), {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0});
        hostile.push_back(b);
    }
    {
        Bytes b = TestDataFile("default.V7N"); // a second marker instead of a length
        b.resize(148);
        b.insert(b.end(), {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x01, 'a', 0});
        b.insert(b.end(), 20, 0);
        hostile.push_back(b);
    }
    for (std::size_t i = 0; i < hostile.size(); ++i) {
        SetOddSettings();
        ui.messages.clear();
        const std::size_t before = mallinfo2().uordblks;
        {
            AddressSpaceCap cap;
            EXPECT_FALSE(Open(hostile[i])) << i;
        }
        const std::size_t after = mallinfo2().uordblks;
        EXPECT_LT(after > before ? after - before : 0, 256u * 1024) << i;
        EXPECT_EQ(ui.MessageTexts(), QStringList({"Unerwartetes Dateiformat."})) << i;
        ExpectOddSettings();
        ExpectEmptyStrip();
    }
}

TEST_F(FileFormat, NamesUpToAMebibyteRoundTripLongerOnesAreRefusedBeforeAllocating) {
    // Field 0 holds a name of `length` bytes or UTF-16 code units, all of
    // them present in the file.
    auto file = [](std::uint32_t length, bool utf16) {
        Bytes b = TestDataFile("default.V7N");
        b.resize(148);
        if (utf16)
            b.insert(b.end(), {0xFF, 0xFE, 0xFF});
        b.insert(b.end(), {0xFF, 0xFF, 0xFF});
        PutU32(b, length);
        for (std::uint32_t i = 0; i < (utf16 ? 2 * length : length); ++i)
            b.push_back(utf16 ? std::uint8_t(i % 2 ? 0 : 'a' + i / 2 % 26) : std::uint8_t(i));
        b.insert(b.end(), 15, 0);
        return b;
    };
    const Bytes longest = file(1u << 20, false);
    ASSERT_TRUE(Open(longest));
    EXPECT_EQ(Save(), longest) << "an unedited name saves back byte for byte";
    ASSERT_TRUE(Open(file(1u << 19, true)));
    EXPECT_EQ(doc.GetName(0).size(), 1u << 19);
    EXPECT_EQ(doc.GetName(0).substr(0, 3), "abc");

    // One byte more, one code unit more, and a name of 2 GiB that the
    // (sparse) file really holds.
    const QString huge = dir.filePath("huge.V7N");
    Bytes head = file(0, false);
    head.resize(151);
    PutU32(head, 0x80000000u);
    WriteFileBytes(huge, head);
    ASSERT_TRUE(QFile::resize(huge, 155 + 0x80000000ll + 15));
    const std::vector<Bytes> refused = {file((1u << 20) + 1, false), file((1u << 19) + 1, true)};
    for (std::size_t i = 0; i <= refused.size(); ++i) {
        SetOddSettings();
        doc.SetName(4, "vorher");
        ui.messages.clear();
        if (i < refused.size())
            WriteFileBytes(dir.filePath("t.V7N"), refused[i]);
        const QString path = i < refused.size() ? dir.filePath("t.V7N") : huge;
        const std::size_t before = mallinfo2().uordblks;
        {
            AddressSpaceCap cap;
            EXPECT_FALSE(doc.OnOpenDocument(path)) << i;
        }
        const std::size_t after = mallinfo2().uordblks;
        EXPECT_LT(after > before ? after - before : 0, 256u * 1024) << i;
        EXPECT_EQ(ui.MessageTexts(), QStringList({"Unerwartetes Dateiformat."})) << i;
        ExpectOddSettings();
        ExpectEmptyStrip();
    }
}
