// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/IniText.h"

#include "platform/files/IniEscapes.h"

#include <QStringList>
#include <algorithm>
#include <utility>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsSpecial(char c) {
    return c == '\n' || c == '\r' || c == '"' || c == ';' || c == '=' || c == '\\';
}

// One logical line as QSettings reads it: from `pos`, skipping blank lines
// and comments (";" to the end of the line, outside quotes). A line break
// inside quotes or after a backslash continues the line. Answers false at
// the end of the data; `equals` is the first "=" outside quotes, or -1.
bool NextLine(const QByteArray& data, qsizetype& pos, qsizetype& start, qsizetype& length,
              qsizetype& equals) {
    const qsizetype size = data.size();
    bool inQuotes = false;
    equals = -1;
    start = pos;
    while (start < size && IsSpace(data.at(start)))
        ++start;
    qsizetype i = start;
    while (i < size) {
        const char ch = data.at(i++);
        if (!IsSpecial(ch))
            continue;
        if (ch == '=') {
            if (!inQuotes && equals == -1)
                equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < size) {
                const char escaped = data.at(i++);
                if (i < size) {
                    const char next = data.at(i);
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n'))
                        ++i;
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (i == start + 1) { // ';' opening a line: a comment line
            while (i < size && data.at(i) != '\n' && data.at(i) != '\r')
                ++i;
            while (i < size && IsSpace(data.at(i)))
                ++i;
            start = i;
        } else if (!inQuotes) { // ';' after the content: a comment to the line's end
            --i;
            break;
        }
    }
    pos = i;
    length = i - start;
    return length > 0;
}

// Section and key as QSettings files them: the whole key's first part
// names the section, the rest (with its slashes) is the key; doubled,
// leading and trailing slashes do not count.
std::pair<QString, QString> Filed(const QString& section, const QString& key) {
    const QStringList parts =
        (section + QLatin1Char('/') + key).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.size() < 2)
        return {QString(), parts.value(0)};
    return {parts.first(), QStringList(parts.mid(1)).join(QLatin1Char('/'))};
}

} // namespace

IniText::IniText(const QByteArray& bytes) {
    Section* current = nullptr;
    qsizetype pos = 0, start = 0, length = 0, equals = -1;
    while (NextLine(bytes, pos, start, length, equals)) {
        const QByteArray line = bytes.mid(start, length);
        if (line.startsWith('[')) {
            qsizetype close = line.indexOf(']');
            if (close < 0)
                close = line.size();
            const QByteArray raw = line.mid(1, close - 1).trimmed();
            QString name;
            if (raw.compare("general", Qt::CaseInsensitive) == 0)
                name.clear();
            else if (raw.compare("%general", Qt::CaseInsensitive) == 0)
                name = QString::fromLatin1(raw.mid(1));
            else
                name = ini::UnescapedKey(raw);
            sections_.push_back({name, raw, {}});
            current = &sections_.back();
            continue;
        }
        if (equals < 0)
            continue;
        const QByteArray rawKey = line.left(equals - start).trimmed();
        if (!current) {
            sections_.push_back({QString(), QByteArray("General"), {}});
            current = &sections_.back();
        }
        current->entries.push_back(
            {ini::UnescapedKey(rawKey), rawKey, line.mid(equals - start + 1)});
    }
}

IniText::Section* IniText::Find(const QString& section) {
    for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
        if (it->name == section)
            return &*it;
    }
    return nullptr;
}

const IniText::Entry* IniText::Find(const QString& section, const QString& key) const {
    // A key given twice counts with its last value, as in QSettings.
    for (auto s = sections_.rbegin(); s != sections_.rend(); ++s) {
        if (s->name != section)
            continue;
        for (auto e = s->entries.rbegin(); e != s->entries.rend(); ++e) {
            if (e->key == key)
                return &*e;
        }
    }
    return nullptr;
}

IniText::Section& IniText::Take(const QString& section) {
    if (Section* s = Find(section))
        return *s;
    QByteArray raw = ini::EscapedKey(section);
    if (section.isEmpty())
        raw = "General";
    else if (section.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0)
        raw = '%' + section.toLatin1();
    sections_.push_back({section, raw, {}});
    return sections_.back();
}

std::optional<QString> IniText::Value(const QString& sectionName, const QString& keyName) const {
    const std::pair<QString, QString> filed = Filed(sectionName, keyName);
    const QString& section = filed.first;
    const QString& key = filed.second;
    const Entry* entry = Find(section, key);
    if (!entry)
        return std::nullopt;
    return ini::UnescapedValue(entry->rawValue);
}

void IniText::SetValue(const QString& sectionName, const QString& keyName, const QString& value) {
    const std::pair<QString, QString> filed = Filed(sectionName, keyName);
    const QString& section = filed.first;
    const QString& key = filed.second;
    Entry* kept = const_cast<Entry*>(Find(section, key));
    const QByteArray raw = ini::EscapedValue(value);
    if (!kept) {
        Take(section).entries.push_back({key, ini::EscapedKey(key), raw});
        return;
    }
    kept->rawValue = raw;
    // Earlier copies of the key would come back if the last one were removed.
    for (Section& s : sections_) {
        if (s.name != section)
            continue;
        s.entries.erase(std::remove_if(s.entries.begin(), s.entries.end(),
                                       [&](const Entry& e) { return e.key == key && &e != kept; }),
                        s.entries.end());
    }
}

void IniText::Remove(const QString& sectionName, const QString& keyName) {
    const std::pair<QString, QString> filed = Filed(sectionName, keyName);
    const QString& section = filed.first;
    const QString& key = filed.second;
    for (Section& s : sections_) {
        if (s.name != section)
            continue;
        s.entries.erase(std::remove_if(s.entries.begin(), s.entries.end(),
                                       [&](const Entry& e) { return e.key == key; }),
                        s.entries.end());
    }
}

QByteArray IniText::ToBytes() const {
    QByteArray out;
    for (const Section& s : sections_) {
        if (s.entries.empty())
            continue;
        if (!out.isEmpty())
            out += '\n';
        out += '[' + s.rawName + "]\n";
        for (const Entry& e : s.entries)
            out += e.rawKey + '=' + e.rawValue + '\n';
    }
    return out;
}
