#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

// The colours and ring geometry of the button's looks. Colours are
// 0x00BBGGRR; none names a system colour (top byte zero).
namespace tallix::XPButtonLook {

// Face gradient and border of one colour style.
struct FaceColors {
    quint32 normalTop;
    quint32 normalBottom;
    quint32 pressedTop;
    quint32 pressedBottom;
    quint32 border;
};

// The inner ring of one state: lines 1 to `lines` of the ring, in these colours.
inline constexpr std::size_t RingLineCount = 8;
struct RingLook {
    std::array<quint32, RingLineCount> colors;
    std::size_t lines = RingLineCount;
};

struct StyleLook {
    FaceColors face;
    RingLook hot;
    RingLook focused;
    RingLook pressed;
};

// Each ring lists the colours of lines 1 to 8 (top, left, bottom, right
// outer; then the same inner), one ring per row.
inline constexpr StyleLook Blue = {
    .face = {.normalTop = 0xFBFCFC,
             .normalBottom = 0xEAF0F0,
             .pressedTop = 0xDDE4E5,
             .pressedBottom = 0xDAE2E2,
             .border = 0x743C00},
    .hot = {{0xCFF0FF, 0x58C3FA, 0x0097E5, 0x69CAFC, 0x89D8FD, 0x60C8FB, 0x30B3F8, 0x61C7FA}},
    .focused = {{0xFFE7CE, 0xEABB9C, 0xEE8269, 0xEBBB9C, 0xF6D4BC, 0xEBBC9D, 0xE4AD89, 0xEBBB9D}},
    .pressed = {{0xC1CCD1, 0xCBD4D7, 0xEEF1F2, 0xDBE3E4, 0xCFD8DC, 0xD3DBDD, 0xE3E9EA, 0xDBE2E3}},
};

// Pressed, silver draws only the four outer lines, all white.
inline constexpr StyleLook Silver = {
    .face = {.normalTop = 0xFFFFFF,
             .normalBottom = 0xD7C5C6,
             .pressedTop = 0xBDABAC,
             .pressedBottom = 0xFFFFFF,
             .border = 0x743C00},
    .hot = {{0xCFF0FF, 0x58C3FA, 0x0097E5, 0x69CAFC, 0x89D8FD, 0x60C8FB, 0x30B3F8, 0x61C7FA}},
    .focused = {{0xFFE7CE, 0xECBEA0, 0xEE8269, 0xEBBB9C, 0xF6D4BC, 0xFFFFFF, 0xE4AD89, 0xFFFFFF}},
    .pressed = {.colors = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}, .lines = 4},
};

inline constexpr StyleLook Olive = {
    .face = {.normalTop = 0xF2FFFE,
             .normalBottom = 0xDBEEF3,
             .pressedTop = 0xD2E6EE,
             .pressedBottom = 0xCEE4EC,
             .border = 0x066237},
    .hot = {{0x95C5FC, 0x76AAE8, 0x2572CF, 0x6FA6E7, 0x96BEED, 0x6FA6E7, 0x4F91E3, 0x77ABE7}},
    .focused = {{0x8FD1C2, 0x67C7A0, 0x66A7A8, 0x68C6A1, 0x80CBB1, 0x5FC49B, 0x54C190, 0x5DC398}},
    .pressed = {{0xB4CDDF, 0xBFD4E3, 0xE4F4F8, 0xCFE5EE, 0xC3D9E7, 0xC6DCE8, 0xD8ECF2, 0xCFE4ED}},
};

// Indexed by ColorStyle - 1: csBlue, csSilver, csOlive; no other style has a
// face. Every ring has all eight lines except silver's pressed one.
inline constexpr std::array<StyleLook, 3> Styles = {Blue, Silver, Olive};

// The disabled look, the same in every style whatever the state flags say.
struct DisabledLook {
    quint32 face; // top and bottom of a flat gradient
    quint32 border;
    quint32 caption;
    quint32 icon; // replaces the black of the icon's mask
};
inline constexpr DisabledLook Disabled = {0xEAF4F5, 0xBAC7C9, 0xBAC7C9, 0x99A8AC};

// A ring coordinate: an offset from the near edge (0) or from the far edge,
// the control's width or height.
struct Coord {
    int fromFar;
    int offset;
    constexpr int At(int extent) const { return fromFar * extent + offset; }
};
constexpr Coord Near(int offset) {
    return {0, offset};
}
constexpr Coord Far(int offset) {
    return {1, offset};
}

struct RingLine {
    Coord x1, y1, x2, y2;
};

// The eight ring lines just inside the border, drawn in this order, each from
// its first point to its second. Every line is horizontal or vertical.
inline constexpr std::array<RingLine, RingLineCount> RingLines = {
    RingLine{Near(2), Near(1), Far(-3), Near(1)}, // 1 top, outer
    RingLine{Near(1), Near(2), Near(1), Far(-3)}, // 2 left, outer
    RingLine{Near(2), Far(-3), Far(-3), Far(-3)}, // 3 bottom, outer
    RingLine{Far(-3), Near(2), Far(-3), Far(-3)}, // 4 right, outer
    RingLine{Near(2), Near(2), Far(-3), Near(2)}, // 5 top, inner
    RingLine{Near(2), Near(2), Near(2), Far(-3)}, // 6 left, inner
    RingLine{Near(2), Far(-4), Far(-3), Far(-4)}, // 7 bottom, inner
    RingLine{Far(-4), Near(2), Far(-4), Far(-3)}, // 8 right, inner
};

namespace detail {
constexpr bool SameCoord(Coord a, Coord b) {
    return a.fromFar == b.fromFar && a.offset == b.offset;
}
constexpr bool AxisAligned() {
    for (const RingLine& line : RingLines) {
        if (!SameCoord(line.x1, line.x2) && !SameCoord(line.y1, line.y2)) {
            return false;
        }
    }
    return true;
}
constexpr bool PlainColors(const RingLook& ring) {
    for (quint32 color : ring.colors) {
        if (color > 0xFFFFFF) {
            return false;
        }
    }
    return ring.lines <= RingLineCount;
}
constexpr bool TablesHold() {
    for (const StyleLook& style : Styles) {
        if (!PlainColors(style.hot) || !PlainColors(style.focused) || !PlainColors(style.pressed)) {
            return false;
        }
    }
    return true;
}
} // namespace detail

static_assert(detail::AxisAligned(), "ring lines must be horizontal or vertical");
static_assert(detail::TablesHold(), "ring colours are 0x00BBGGRR and at most eight lines");

} // namespace tallix::XPButtonLook
