// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain value types with the layout and meaning the program's data and
// drawing code rely on: colours as 0x00BBGGRR, integer rectangles with
// exclusive right/bottom edges, and the 60-byte font description stored
// in document files.

#include <cstddef>
#include <cstdint>

using COLORREF = std::uint32_t;
using BYTE = std::uint8_t;
using LONG = std::int32_t;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) {
    return BYTE(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return BYTE((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return BYTE((c >> 16) & 0xFF);
}

struct POINT {
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

// Half-open test: left and top edges inside, right and bottom edges outside.
inline bool PtInRect(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

inline void OffsetRect(RECT& r, LONG dx, LONG dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
}

constexpr int LF_FACESIZE = 32;

#pragma pack(push, 1)
struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    char lfFaceName[LF_FACESIZE];
};
#pragma pack(pop)
static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA must be exactly 60 bytes");
static_assert(offsetof(LOGFONTA, lfFaceName) == 28);
