// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of an INI file as QSettings writes and reads it (IniFormat):
// sections in brackets, "key=value" lines, keys with %XX escapes and values
// with C-style escapes and quotes, UTF-8. The program reads its profile
// from bytes it fetched itself and writes these bytes back through the safe
// save, so that no QSettings object ever opens the file.
//
// Entries the program does not change keep their bytes; comments are not
// kept, as QSettings does not keep them either.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

class IniText {
public:
    IniText() = default;
    explicit IniText(const QByteArray& bytes);

    // The text value of key in section, as QSettings' value().toString()
    // gives it; none when the key is missing or holds no single text (a
    // list or a value of another type).
    std::optional<QString> Value(const QString& section, const QString& key) const;
    void SetValue(const QString& section, const QString& key, const QString& value);
    void Remove(const QString& section, const QString& key);

    QByteArray ToBytes() const;

private:
    struct Entry {
        QString key;
        QByteArray rawKey;
        QByteArray rawValue;
    };
    struct Section {
        QString name; // empty: the general section, for keys without one
        QByteArray rawName;
        std::vector<Entry> entries;
    };

    Section* Find(const QString& section);
    const Entry* Find(const QString& section, const QString& key) const;
    Section& Take(const QString& section);

    std::vector<Section> sections_;
};
