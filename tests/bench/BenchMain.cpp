// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

// Keeps each benchmark's time per iteration (the median when repeated).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Plain text: the RATIO lines are read by people and scripts alike.
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A profile and runtime directory of their own, so that no run touches
    // the user's settings.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + "/.config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + "/.local/share"));
    // The hand-over takes a runtime folder only when it is the user's alone.
    QDir(home.path()).mkpath(QStringLiteral("run"));
    QFile::setPermissions(home.path() + "/run",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path() + "/run"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const RatioPair& pair : kRatios) {
        const auto s = reporter.times.find(pair.subject);
        const auto f = reporter.times.find(pair.floor);
        if (s == reporter.times.end() || f == reporter.times.end() || f->second <= 0)
            continue;
        std::printf("RATIO %-16s %7.3f x %s\n", pair.subject, s->second / f->second,
                    pair.floorText);
    }
    benchmark::Shutdown();
    return 0;
}
