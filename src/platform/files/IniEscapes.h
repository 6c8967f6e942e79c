// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The escapes of QSettings' INI format: keys and section names with %XX
// (and %UXXXX) for what is not a letter, digit, "_", "-" or ".", and "\\"
// for "/"; values as UTF-8 with C-style escapes, in quotes where they hold
// ";", "," or "=" or begin or end with a blank, "@" doubled at the start.

#include <QByteArray>
#include <QString>
#include <optional>

namespace ini {

QByteArray EscapedKey(const QString& key);
QString UnescapedKey(const QByteArray& key);
QByteArray EscapedValue(const QString& value);
// The text of a value as QSettings' value().toString() gives it; none for
// a list (a comma outside quotes) or a value of another type.
std::optional<QString> UnescapedValue(const QByteArray& raw);

} // namespace ini
