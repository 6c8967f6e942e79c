// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the process measurements: the least a Qt Widgets program
// does to show one empty window (it writes "first-paint <ns>", CLOCK_MONOTONIC,
// after the first paint and quits); with --text, the same window holding one
// line of text, so that the font system is set up as in any real program;
// with --empty-pdf FILE, printing one empty page into a PDF file.

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <time.h>

namespace {

class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        if (painted_)
            return;
        painted_ = true;
        QTimer::singleShot(0, this, [] {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("first-paint %lld\n",
                        static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv) {
    const bool pdf = argc == 3 && std::strcmp(argv[1], "--empty-pdf") == 0;
    if (pdf)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (pdf) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromLocal8Bit(argv[2]));
        QPainter painter;
        return painter.begin(&printer) && painter.end() ? 0 : 1;
    }
    Window window;
    window.resize(400, 600);
    if (argc == 2 && std::strcmp(argv[1], "--text") == 0)
        (new QLabel(QStringLiteral("Namen vom V7 empfangen"), &window))->move(10, 10);
    window.show();
    return QApplication::exec();
}
