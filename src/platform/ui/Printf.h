#pragma once
// printf-style formatting of the program's message texts, which carry
// conversions such as %u and %i.

#include <QString>
#include <cstdint>
#include <initializer_list>

class PrintfArg {
public:
    PrintfArg(int v) : number_(v) {}
    PrintfArg(unsigned v) : number_(v) {}
    PrintfArg(long v) : number_(v) {}
    PrintfArg(unsigned long v) : number_(std::int64_t(v)) {}
    PrintfArg(long long v) : number_(v) {}
    PrintfArg(const QString& s) : text_(s), isText_(true) {}
    PrintfArg(const char* s) : text_(QString::fromUtf8(s)), isText_(true) {}

    std::int64_t Number() const { return number_; }
    const QString& Text() const { return text_; }
    bool IsText() const { return isText_; }

private:
    std::int64_t number_ = 0;
    QString text_;
    bool isText_ = false;
};

// Formats like printf for the conversions %d, %i, %u, %x, %s and %% (with an
// optional 'l' length modifier). %u shows the argument's low 32 bits as an
// unsigned number, %d and %i as a signed one. A conversion without an
// argument, or an unknown one, is copied as it stands.
QString FormatPrintf(const QString& format, std::initializer_list<PrintfArg> args);
