// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for tests that read and write strip files.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const Bytes& bytes);
Bytes TestDataFile(const char* name);
// Little-endian pieces for building files by hand.
void PutU16(Bytes& b, std::uint16_t v);
void PutU32(Bytes& b, std::uint32_t v);
// The settings and font part (80 bytes) of a file with default values.
Bytes DefaultHead();
