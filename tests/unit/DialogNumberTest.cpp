// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/DialogNumber.h"

#include <clocale>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <utility>

using namespace std::string_literals;
using namespace std::string_view_literals;
using dialognumber::ReadDecimal;
using dialognumber::ReadWhole;
using dialognumber::ShowDecimal;

TEST(DialogNumber, ShowsSixSignificantDigitsWithAPointUnderAnyLocale) {
    // A German locale (where one is installed) must not turn the point into a comma.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(ShowDecimal(float(229.0 * double(0.01f))), "2.29");
    EXPECT_EQ(ShowDecimal(1.0f), "1");
    EXPECT_EQ(ShowDecimal(0.1f), "0.1");
    EXPECT_EQ(ShowDecimal(float(2999.0 * double(0.01f))), "29.99");
    EXPECT_EQ(ShowDecimal(-5.0f), "-5");
    EXPECT_EQ(ShowDecimal(1234567.0f), "1.23457e+06");
    EXPECT_EQ(ShowDecimal(0.0f), "0");
    EXPECT_EQ(dialognumber::ShowWhole(-32768), "-32768");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(DialogNumber, DecimalAcceptsSignDigitsPointExponentAndBlanksAround) {
    EXPECT_EQ(ReadDecimal("2.3"sv), 2.3f);
    EXPECT_EQ(ReadDecimal(" \t2.3\t "sv), 2.3f);
    EXPECT_EQ(ReadDecimal("+2"sv), 2.0f);
    EXPECT_EQ(ReadDecimal("-1.5"sv), -1.5f);
    EXPECT_EQ(ReadDecimal(".5"sv), 0.5f);
    EXPECT_EQ(ReadDecimal("5."sv), 5.0f);
    EXPECT_EQ(ReadDecimal("2e1"sv), 20.0f);
    EXPECT_EQ(ReadDecimal("25E-1"sv), 2.5f);
    // A zero written with a leading 0 counts, in any spelling.
    EXPECT_EQ(ReadDecimal("0"sv), 0.0f);
    EXPECT_EQ(ReadDecimal("00"sv), 0.0f);
    EXPECT_EQ(ReadDecimal("0."sv), 0.0f);
    EXPECT_EQ(ReadDecimal("0.000"sv), 0.0f);
    EXPECT_EQ(ReadDecimal("0e9"sv), 0.0f);
    // Held in single precision: just above 20 is 20.
    EXPECT_EQ(ReadDecimal("20.0000005"sv), 20.0f);
}

TEST(DialogNumber, DecimalRefusesCommaZeroWithoutLeadingDigitAndAnythingElse) {
    for (const char* text : {"2,3", "",    "   \t", "+0",     "-0",  ".0",    "-.0", "+0.5e-400",
                             ".",   "-",   "abc",   "1e",     "1e+", "1.2.3", "1 2", "2 mm",
                             "inf", "nan", "0x10",  "1e-400", "1\n", "\n1",   "\x7f"}) {
        EXPECT_FALSE(ReadDecimal(std::string_view(text))) << '"' << text << '"';
    }
}

TEST(DialogNumber, DecimalBeyondSinglePrecisionBecomesAnInfinity) {
    // No range accepts it, so the range check refuses it rather than a
    // silent wrap or an undefined conversion.
    EXPECT_EQ(ReadDecimal("1e39"sv), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ReadDecimal("1e400"sv), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ReadDecimal("-1e400"sv), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(ReadDecimal("100000000000000000000000000000"sv), 1e29f);
    EXPECT_EQ(ReadDecimal("0.00000000001e-300"sv), 0.0f)
        << "too small for a double, but written as 0";
}

TEST(DialogNumber, WholeFitsSixteenBitsAndTakesNoPointOrExponent) {
    EXPECT_EQ(ReadWhole("100"sv), 100);
    EXPECT_EQ(ReadWhole("\t 7 \t"sv), 7);
    EXPECT_EQ(ReadWhole("007"sv), 7);
    EXPECT_EQ(ReadWhole("+5"sv), 5);
    EXPECT_EQ(ReadWhole("0"sv), 0);
    EXPECT_EQ(ReadWhole("32767"sv), 32767);
    EXPECT_EQ(ReadWhole("-32768"sv), -32768);
    for (const char* text : {"70000", "32768", "-32769", "99999999999999999999999", "2.5", "1e2",
                             "", " ", "+0", "-0", "+", "0x10", "5 5", "2,0", "1O"}) {
        EXPECT_FALSE(ReadWhole(std::string_view(text))) << '"' << text << '"';
    }
}

TEST(DialogNumber, TheWholeTextIsReadHoweverLong) {
    EXPECT_EQ(ReadDecimal(std::string(40, ' ') + "5"), 5.0f);
    EXPECT_EQ(ReadWhole("2" + std::string(40, '\t')), 2);
    // What follows a long run of blanks still counts: no number at all.
    const std::string tail = "100" + std::string(30, ' ') + "999";
    EXPECT_FALSE(ReadDecimal(tail));
    EXPECT_FALSE(ReadWhole(tail));
    EXPECT_FALSE(dialognumber::ReadMillimetres(QString::fromStdString(tail)));
    EXPECT_FALSE(ReadWhole("2" + std::string(30, ' ') + "x"));

    // Other scripts never form a number.
    EXPECT_EQ(ReadDecimal(QString(30, QChar(' ')) + QStringLiteral("5")), 5.0f);
    EXPECT_FALSE(ReadDecimal(QString::fromStdString(tail)));
    EXPECT_FALSE(ReadDecimal(QString(31, QChar(u'\u00a0')) + QStringLiteral("5")));
    EXPECT_FALSE(ReadWhole(QString::fromUtf8("\xef\xbc\x92"))); // fullwidth 2
    EXPECT_FALSE(ReadDecimal(QString::fromUtf8("2\xc2\xb7"
                                               "5"))); // middle dot
    EXPECT_EQ(ReadWhole(QStringLiteral(" 150\t")), 150);
}

TEST(DialogNumber, EveryStoredSettingSurvivesItsFieldAndHalvesRoundUp) {
    // What OK without edits in the Options dialog does: each indent (0 to
    // 20 mm) and margin (0 to 30 cm) in tenths of a millimetre, and each scale.
    for (const auto& [perUnit, high] : {std::pair(10, 20), std::pair(100, 30)})
        for (std::int32_t tenths = 0; tenths <= perUnit * high; ++tenths) {
            const auto read = ReadDecimal(ShowDecimal(dialognumber::TenthsToUnit(tenths, perUnit)));
            ASSERT_TRUE(read && *read >= 0.0f && *read <= float(high)) << tenths;
            ASSERT_EQ(dialognumber::UnitToTenths(*read, perUnit), tenths);
        }
    for (int zoom = 1; zoom <= 200; ++zoom)
        ASSERT_EQ(ReadWhole(dialognumber::ShowWhole(zoom)), zoom);
    // A half (exact in single precision) rounds up.
    EXPECT_EQ(dialognumber::UnitToTenths(0.25f, 10), 3);
    EXPECT_EQ(dialognumber::UnitToTenths(0.625f, 100), 63);
}

TEST(DialogNumber, MillimetresTakeCommaOrPointAndNothingElse) {
    using dialognumber::ReadMillimetres;
    EXPECT_EQ(ReadMillimetres(QString("97,5")), 9750);
    EXPECT_EQ(ReadMillimetres(QString("97.5")), 9750);
    EXPECT_EQ(ReadMillimetres(QString(" \t22 ")), 2200);
    EXPECT_EQ(ReadMillimetres(QString("0")), 0);
    EXPECT_EQ(ReadMillimetres(QString("19,994")), 1999);
    EXPECT_EQ(ReadMillimetres(QString("0.005")), 1);
    for (const char* bad : {"", " ", "-3", "+3", "1e2", "1.000,5", "97,5,1", ",5", "22,", "9 7",
                            "97mm", "97;5", "0x10"})
        EXPECT_FALSE(ReadMillimetres(QString(bad))) << bad;
    EXPECT_FALSE(ReadMillimetres(QString::fromUtf8("\u0669\u0667"))) << "other digits";
    EXPECT_EQ(dialognumber::ShowMillimetres(2000), "20");
    EXPECT_EQ(dialognumber::ShowMillimetres(1790), "17,9");
    EXPECT_EQ(dialognumber::ShowMillimetres(9725), "97,25");
    EXPECT_EQ(dialognumber::ShowMillimetres(-150), "-1,5");
}
