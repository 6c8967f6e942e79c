// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/AnswerParser.h"
#include "v7sim/AnswerBuilder.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

AnswerParser Parse(const Bytes& bytes) {
    AnswerParser p;
    p.Feed(bytes.data(), bytes.size());
    return p;
}

} // namespace

TEST(AnswerParser, ReadsTheSmallestAnswers) {
    AnswerParser ab = Parse({0x00, 0x08, 0x30, 'A', 'B', 0x0D, 0x00});
    EXPECT_TRUE(ab.IsComplete());
    ASSERT_EQ(ab.receivedNames.size(), 16u);
    EXPECT_EQ(ab.receivedNames[0], "AB");
    for (int k = 1; k < 16; ++k)
        EXPECT_EQ(ab.receivedNames[std::size_t(k)], "");
    EXPECT_EQ(ab.receivedCount, 1);

    AnswerParser empty = Parse({0x00, 0x08, 0x00});
    EXPECT_TRUE(empty.IsComplete());
    EXPECT_EQ(empty.receivedCount, 0);
    EXPECT_EQ(empty.receivedNames.size(), 16u);

    AnswerParser last = Parse({0x00, 0x08, 0x3F, 'Z', 0x0D, 0x00});
    EXPECT_EQ(last.receivedNames[15], "Z");
}

TEST(AnswerParser, BrokenAnswersSendTheParserBackToTheStart) {
    // 0x40 is no key: back to waiting; the names so far stay.
    AnswerParser p = Parse({0x00, 0x08, 0x31, 'x', 0x0D, 0x40});
    EXPECT_EQ(p.parserState, AnswerParser::WaitStart);
    EXPECT_EQ(p.receivedNames[1], "x");
    // 0x00 0x00 0x08 is no header: the second NUL returns to the start, where 0x08 is ignored.
    AnswerParser q = Parse({0x00, 0x00, 0x08});
    EXPECT_EQ(q.parserState, AnswerParser::WaitStart);
    EXPECT_TRUE(q.receivedNames.empty());
    // Garbage before the start is ignored; a new header clears everything.
    AnswerParser r = Parse({'g', 0x08, 0x07, 0x00, 0x08, 0x32, 'a', 0x0D, 0x00, 0x08, 0x00});
    EXPECT_EQ(r.receivedNames[2], "a");
    EXPECT_TRUE(r.IsComplete());
}

TEST(AnswerParser, NamesAreCutFilteredAndConverted) {
    Bytes b = {0x00, 0x08, 0x30};
    for (int i = 0; i < 120; ++i)
        b.push_back(std::uint8_t('a' + i % 26));
    b.insert(b.end(), {0x0D, 0x31, 'T', 0x09, 'a', 0x0A, 'b', 0x00, 'c', 0x0D});
    b.insert(b.end(), {0x32, 0x84, 0x94, 0x81, 0xE1, 0x0D}); // äöüß in code page 850
    b.insert(b.end(), {0x33, 'e', 'r', 's', 't', 0x0D, 0x33, 'z', 'w', 'e', 'i', 0x0D});
    b.insert(b.end(), {0x00, 0x08, 0x34, 'X', 0x0D}); // after the end: ignored
    AnswerParser p = Parse(b);
    ASSERT_TRUE(p.IsComplete());
    EXPECT_EQ(p.receivedNames[0].size(), 98u);
    EXPECT_EQ(p.receivedNames[0].substr(0, 3), "abc");
    EXPECT_EQ(p.receivedNames[1], "Tabc") << "tab, line feed and NUL are dropped";
    EXPECT_EQ(p.receivedNames[2], std::string("\xE4\xF6\xFC\xDF"));
    EXPECT_EQ(p.receivedNames[3], "zwei") << "a key sent twice keeps its last name";
    EXPECT_EQ(p.receivedNames[4], "");
    EXPECT_EQ(p.receivedCount, 5) << "and counts twice";
}

TEST(AnswerParser, EverySplitIntoTwoChunksGivesTheSameNames) {
    v7sim::AnswerOptions options;
    options.garbage = 7;
    options.order = {15, 3, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    const Bytes answer = v7sim::BuildAnswer(v7sim::DemoNames(), options);
    const AnswerParser whole = Parse(answer);
    ASSERT_TRUE(whole.IsComplete());
    EXPECT_EQ(whole.receivedCount, 16);
    EXPECT_EQ(whole.receivedNames[3], std::string("M\xFCller"));
    for (std::size_t cut = 0; cut <= answer.size(); ++cut) {
        AnswerParser p;
        p.Feed(answer.data(), cut);
        p.Feed(answer.data() + cut, answer.size() - cut);
        EXPECT_EQ(p.receivedNames, whole.receivedNames) << cut;
        EXPECT_TRUE(p.IsComplete()) << cut;
    }
}
