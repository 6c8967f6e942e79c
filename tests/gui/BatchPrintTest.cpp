// Printing from the command line through the built program: the PDF of
// --print-to-pdf read back with pdftotext and pdftoppm, and the failures
// that must end with a message on standard error and exit status 1.

#include "AppFixture.h"
#include "platform/CodePage.h"

#include <QDate>
#include <QFile>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome Execute(const QString& program, const QStringList& args, bool withoutDisplay = false) {
    QProcess p;
    if (withoutDisplay) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        p.setProcessEnvironment(env);
    }
    p.start(program, args);
    Outcome r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Outcome Quintara(const QStringList& args) {
    return Execute(QStringLiteral(QUINTARA_BINARY_DIR "/quintara"), args, true);
}

bool IsMark(QColor c) {
    return c.lightness() < 240;
}

class BatchPrint : public AppFixture {
protected:
    QString demo = QStringLiteral(QUINTARA_TEST_DATA "/demo.V7N");
};

} // namespace

TEST_F(BatchPrint, PrintToPdfGivesOneA4PageWithTheStripAtTheMargins) {
    const QString pdf = TempPath("demo.pdf");
    const Outcome run = Quintara({"--print-to-pdf", pdf, demo});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());

    const Outcome info = Execute("pdfinfo", {pdf});
    EXPECT_TRUE(info.out.contains(QRegularExpression("Pages:\\s+1\\n")));
    EXPECT_TRUE(info.out.contains("595 x 842 pts (A4)"));

    // Every name, the title and today's date.
    CommandLineInfo open;
    open.action = CommandLineInfo::Action::Open;
    open.file = demo;
    Start(open);
    const Outcome text = Execute("pdftotext", {pdf, "-"});
    for (int i = 0; i < 16; ++i) {
        const QString name = codepage::Cp1252ToUnicode(Doc().GetName(i));
        if (!name.isEmpty()) {
            EXPECT_TRUE(text.out.contains(name)) << i;
        }
    }
    EXPECT_TRUE(text.out.contains("demo.V7N"));
    EXPECT_TRUE(text.out.contains(QDate::currentDate().toString("dd.MM.yyyy")));

    // At 254 dots per inch one pixel is a tenth of a millimetre.
    ASSERT_EQ(
        Execute("pdftoppm", {"-r", "254", "-png", "-singlefile", pdf, TempPath("page")}).exitCode,
        0);
    const QImage page(TempPath("page.png"));
    ASSERT_FALSE(page.isNull());
    ASSERT_EQ(View().zoomX, 100);
    ASSERT_EQ(View().zoomY, 100);
    const int left = View().leftMargin;
    const int top = View().topMargin;
    const int middle = top + 600;
    int l = 0;
    while (l < page.width() && !IsMark(page.pixelColor(l, middle)))
        ++l;
    int r = page.width() - 1;
    while (r > 0 && !IsMark(page.pixelColor(r, middle)))
        --r;
    int t = 0;
    while (t < page.height() && !IsMark(page.pixelColor(l + 2, t)))
        ++t;
    int b = t + 1212 + 40; // in the gap between the strip and the title
    while (b > t && !IsMark(page.pixelColor(l + 2, b)))
        --b;
    EXPECT_NEAR(l, left, 1);
    EXPECT_NEAR(t, top, 1);
    EXPECT_NEAR(r - l + 1, 260, 1);  // 26.0 mm
    EXPECT_NEAR(b - t + 1, 1212, 1); // 121.2 mm
}

TEST_F(BatchPrint, FailuresSayWhyOnStandardErrorAndExitWithOne) {
    const QString pdf = TempPath("never.pdf");
    struct Case {
        QStringList args;
        QString message;
    };
    std::vector<Case> cases = {
        {{"--print-to-pdf", pdf, TempPath("missing.V7N")}, "Diese Datei konnte nicht gefunden"},
        {{"--print-to-pdf", TempPath("no/folder/out.pdf"), demo},
         "Quintara: In die Datei " + TempPath("no/folder/out.pdf") +
             " kann nicht geschrieben werden.\n"},
        {{"--print-to-pdf", dir.path(), demo}, "kann nicht geschrieben werden."},
        {{"/pt", demo, "Quintara-Test-Kein-Drucker", "treiber", "anschluss"},
         "Quintara: Den Drucker \"Quintara-Test-Kein-Drucker\" gibt es nicht.\n"},
        {{"/p"}, "Quintara: /p erwartet genau eine Datei."},
    };
    if (QPrinterInfo::defaultPrinterName().isEmpty())
        cases.push_back({{"/p", demo}, "Quintara: Es ist kein Standarddrucker eingerichtet.\n"});
    for (const Case& c : cases) {
        const Outcome run = Quintara(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, 1) << what;
        EXPECT_TRUE(run.err.startsWith("Quintara: ")) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << what;
    }
    EXPECT_FALSE(QFile::exists(pdf));
}
