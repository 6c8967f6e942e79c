// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and saving a strip file against reading and writing the same bytes
// with plain stdio, the answer parser against a loop that only touches each
// byte of the same answer, and importing names from the CSV file that was
// slowest to read against reading its bytes.

#include "BenchMain.h"
#include "device/AnswerParser.h"
#include "document/NamesCsv.h"
#include "document/V7NamenDoc.h"
#include "v7sim/AnswerBuilder.h"
#include "view/V7NamenView.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

const QString kDemo = QStringLiteral(QUINTARA_TEST_DATA "/demo.V7N");

QTemporaryDir& Scratch() {
    static QTemporaryDir dir;
    return dir;
}

std::string ScratchFile(const char* name) {
    return QFile::encodeName(Scratch().filePath(QString::fromLatin1(name))).toStdString();
}

QByteArray DemoBytes() {
    QFile f(kDemo);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

struct OpenStrip {
    OpenStrip() { doc.AddView(&view); }
    ~OpenStrip() { doc.RemoveView(&view); }
    CV7NamenDoc doc;
    CV7NamenView view;
};

void Load(benchmark::State& state) {
    OpenStrip strip;
    for (auto _ : state) {
        if (!strip.doc.OnOpenDocument(kDemo))
            state.SkipWithError("demo strip not loaded");
    }
}

void StdioRead(benchmark::State& state) {
    const std::string path = QFile::encodeName(kDemo).toStdString();
    char buffer[4096];
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) {
            state.SkipWithError("demo strip not readable");
            break;
        }
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, f);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(buffer);
        std::fclose(f);
    }
}

void Save(benchmark::State& state) {
    OpenStrip strip;
    strip.doc.OnOpenDocument(kDemo);
    const QString target = Scratch().filePath(QStringLiteral("saved.V7N"));
    for (auto _ : state) {
        if (!strip.doc.OnSaveDocument(target))
            state.SkipWithError("strip not saved");
    }
}

// Writes the bytes; with `durable`, the way a careful program does: into a
// temporary file, flushed to the disk, renamed over the target.
void StdioWrite(benchmark::State& state, bool durable) {
    const QByteArray bytes = DemoBytes();
    const std::string target = ScratchFile("plain.V7N");
    const std::string temp = target + ".tmp";
    for (auto _ : state) {
        std::FILE* f = std::fopen((durable ? temp : target).c_str(), "wb");
        if (!f) {
            state.SkipWithError("scratch file not writable");
            break;
        }
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), f);
        if (durable) {
            std::fflush(f);
            ::fsync(fileno(f));
        }
        std::fclose(f);
        if (durable)
            std::rename(temp.c_str(), target.c_str());
    }
}

void StdioWritePlain(benchmark::State& state) {
    StdioWrite(state, false);
}

void StdioWriteDurable(benchmark::State& state) {
    StdioWrite(state, true);
}

std::vector<std::uint8_t> FullAnswer() {
    QStringList names;
    for (int k = 0; k < 16; ++k)
        names << QString(98, QChar(0xE4 - k)); // umlauts and the like: each byte is converted
    return v7sim::BuildAnswer(names);
}

void Parser(benchmark::State& state) {
    const std::vector<std::uint8_t> answer = FullAnswer();
    for (auto _ : state) {
        AnswerParser parser;
        parser.Feed(answer.data(), answer.size());
        if (!parser.IsComplete())
            state.SkipWithError("answer not complete");
        benchmark::DoNotOptimize(parser.receivedNames.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(answer.size()));
}

void ByteTouch(benchmark::State& state) {
    const std::vector<std::uint8_t> answer = FullAnswer();
    for (auto _ : state) {
        unsigned sum = 0;
        for (std::uint8_t b : answer) {
            sum += b;
            benchmark::DoNotOptimize(sum);
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(answer.size()));
}

// A file of the largest size taken, one row of a million empty cells: the
// shape that once cost a record per cell.
const QString& SeparatorsCsv() {
    static const QString path = [] {
        const QString p = Scratch().filePath(QStringLiteral("separators.csv"));
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(qsizetype(namescsv::kMaxFileBytes), ';'));
        return p;
    }();
    return path;
}

void ImportCsv(benchmark::State& state) {
    OpenStrip strip;
    for (auto _ : state)
        benchmark::DoNotOptimize(strip.doc.ImportNames(SeparatorsCsv()));
}

void StdioReadCsv(benchmark::State& state) {
    const std::string path = QFile::encodeName(SeparatorsCsv()).toStdString();
    std::vector<char> buffer(namescsv::kMaxFileBytes + 1);
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) {
            state.SkipWithError("CSV file not readable");
            break;
        }
        unsigned sum = 0;
        const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), f);
        for (std::size_t i = 0; i < n; ++i)
            sum += static_cast<unsigned char>(buffer[i]);
        benchmark::DoNotOptimize(sum);
        std::fclose(f);
    }
}

BENCHMARK(StdioRead);
BENCHMARK(Load);
BENCHMARK(StdioWritePlain);
BENCHMARK(StdioWriteDurable);
BENCHMARK(Save);
BENCHMARK(ByteTouch);
BENCHMARK(Parser);
BENCHMARK(StdioReadCsv);
BENCHMARK(ImportCsv);

} // namespace

const std::vector<RatioPair> kRatios = {
    {"Load", "StdioRead", "reading the same bytes with stdio"},
    {"Save", "StdioWritePlain", "writing the same bytes with stdio"},
    {"Save", "StdioWriteDurable", "stdio to a temporary file, fsync, rename"},
    {"Parser", "ByteTouch", "a loop that only touches each byte"},
    {"ImportCsv", "StdioReadCsv", "reading the same 1 MiB with stdio, touching each byte"},
};
