// SPDX-License-Identifier: GPL-3.0-or-later
#include "StripFiles.h"

#include <QFile>
#include <cstring>
#include <gtest/gtest.h>

Bytes ReadFileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    const QByteArray data = f.readAll();
    return Bytes(data.begin(), data.end());
}

void WriteFileBytes(const QString& path, const Bytes& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

Bytes TestDataFile(const char* name) {
    return ReadFileBytes(QStringLiteral(QUINTARA_TEST_DATA "/") + QString::fromUtf8(name));
}

void PutU16(Bytes& b, std::uint16_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}

void PutU32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(std::uint8_t(v >> (8 * i)));
}

Bytes DefaultHead() {
    Bytes b = TestDataFile("default.V7N");
    b.resize(80);
    return b;
}
