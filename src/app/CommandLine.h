// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line:
//   quintara [FILE.V7N]
//   quintara /p FILE                          print on the default printer
//   quintara /pt FILE PRINTER [DRIVER] [PORT] print on the named printer
//   quintara --print-to-pdf OUT.pdf [FILE]    print into a PDF file
//   quintara --calibration-pdf OUT.pdf [FILE] the calibration test page into a PDF file
//   --import-csv NAMES.csv with a printing switch: the strip takes the
//   names and colours of NAMES.csv before it is printed
//   quintara /p FILE1 FILE2 ..., --print-to-pdf OUT.pdf FILE1 FILE2 ...
//                                             several strips side by side on one sheet
//   quintara --help | --version
// --fit anywhere sets long names narrower for the run.
// "/p" and "/pt" are the only switches written with a slash, so every other
// argument that starts with '/' is an absolute path.

#include <QString>
#include <QStringList>

struct CommandLineInfo {
    enum class Action { New, Open, Print, PrintTo, PrintToPdf, Help, Version, Error };
    Action action = Action::New;
    QString file;
    QStringList sheetFiles; // two or more strips for one sheet; `file` is then empty
    QString printer;
    QString driver;
    QString port;
    QString pdfOut;
    QString importCsv;            // names and colours for the strip before it is printed
    bool calibrationPage = false; // the PDF holds the test page, not the strip
    QString error;                // German text for Action::Error
    bool fitLongNames = false;    // --fit

    bool IsBatch() const {
        return action == Action::Print || action == Action::PrintTo || action == Action::PrintToPdf;
    }
};

// Parses the arguments after the program name.
CommandLineInfo ParseCommandLine(const QStringList& args);

// Qt's own switches (-platform NAME, -style NAME, -reverse, -display NAME,
// ...), which the application object takes out of the command line. Before
// that object exists the program must still know whether it prints (and so
// needs no display) and which platform and display the window will use.
struct QtSwitches {
    QString platform; // -platform NAME
    QString display;  // -display NAME
};
// args without Qt's switches and their values, which go to found.
QStringList SetQtSwitchesAside(const QStringList& args, QtSwitches& found);

// The text of --help.
QString UsageText();
