// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, TellsSwitchesFromAbsolutePaths) {
    using A = CommandLineInfo::Action;
    EXPECT_EQ(ParseCommandLine({}).action, A::New);
    auto open = ParseCommandLine({"/home/u/p.V7N"});
    EXPECT_EQ(open.action, A::Open);
    EXPECT_EQ(open.file, QString("/home/u/p.V7N"));
    auto print = ParseCommandLine({"/P", "/home/u/p.V7N"});
    EXPECT_EQ(print.action, A::Print);
    EXPECT_EQ(print.file, QString("/home/u/p.V7N"));
    auto printTo = ParseCommandLine({"/pt", "a.V7N", "Büro Laser", "drv", "lpt"});
    EXPECT_EQ(printTo.action, A::PrintTo);
    EXPECT_EQ(printTo.printer, QString::fromUtf8("Büro Laser"));
    EXPECT_EQ(printTo.port, QString("lpt"));
    auto pdf = ParseCommandLine({"--print-to-pdf", "out.pdf"});
    EXPECT_EQ(pdf.action, A::PrintToPdf);
    EXPECT_EQ(pdf.pdfOut, QString("out.pdf"));
    EXPECT_TRUE(pdf.file.isEmpty());
    EXPECT_FALSE(pdf.fitLongNames);
    auto fit = ParseCommandLine({"--print-to-pdf", "out.pdf", "--fit", "a.V7N"});
    EXPECT_TRUE(fit.fitLongNames);
    EXPECT_EQ(fit.file, QString("a.V7N"));
    EXPECT_EQ(ParseCommandLine({"--", "-odd.V7N"}).file, QString("-odd.V7N"));
    EXPECT_EQ(ParseCommandLine({"--help"}).action, A::Help);
    EXPECT_EQ(ParseCommandLine({"--version"}).action, A::Version);
    EXPECT_EQ(ParseCommandLine({"--bogus"}).action, A::Error);
    EXPECT_EQ(ParseCommandLine({"/pt", "a.V7N"}).action, A::Error);
    EXPECT_EQ(ParseCommandLine({"--print-to-pdf"}).action, A::Error);
    EXPECT_EQ(ParseCommandLine({"a.V7N", "b.V7N"}).action, A::Error);
    auto csv = ParseCommandLine({"--import-csv", "n.csv", "--print-to-pdf", "o.pdf", "a.V7N"});
    EXPECT_EQ(csv.action, A::PrintToPdf);
    EXPECT_EQ(csv.importCsv, QString("n.csv"));
    EXPECT_EQ(csv.file, QString("a.V7N"));
    // Names from a file only for a strip that is printed, and the file must be named.
    EXPECT_EQ(ParseCommandLine({"--import-csv", "n.csv", "a.V7N"}).action, A::Error);
    EXPECT_EQ(ParseCommandLine({"--print-to-pdf", "o.pdf", "--import-csv"}).action, A::Error);
}

TEST(CommandLine, QtsSwitchesAndTheirValuesAreSetAside) {
    QtSwitches qt;
    const QStringList rest =
        SetQtSwitchesAside({"-platform", "xcb", "--style", "Fusion", "-reverse", "/p",
                            "-style=Windows", "-display", ":3", "a.V7N", "-p", "--", "-platform"},
                           qt);
    EXPECT_EQ(rest, (QStringList{"/p", "a.V7N", "-p", "--", "-platform"}));
    EXPECT_EQ(qt.platform, QString("xcb"));
    EXPECT_EQ(qt.display, QString(":3"));
    // A switch of Qt's without its value stays for the parser to name.
    QtSwitches none;
    EXPECT_EQ(SetQtSwitchesAside({"--print-to-pdf", "o.pdf", "-style"}, none),
              (QStringList{"--print-to-pdf", "o.pdf", "-style"}));
}
