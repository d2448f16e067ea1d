#pragma once

#include <cstdint>
#include <string>

namespace velutra {

// A colour as 0x00BBGGRR (red in the low byte).
using GridColor = std::uint32_t;

// A cell colour of defaultColor takes the grid's colour for its kind (fixed or normal).
inline constexpr GridColor kDefaultColor = 0xFF000000;

inline constexpr int RedOf(GridColor color) {
    return static_cast<int>(color & 0xFF);
}
inline constexpr int GreenOf(GridColor color) {
    return static_cast<int>((color >> 8) & 0xFF);
}
inline constexpr int BlueOf(GridColor color) {
    return static_cast<int>((color >> 16) & 0xFF);
}

// Text-drawing flags of a cell's format.
namespace cellformat {
inline constexpr unsigned kCentre = 0x01;
inline constexpr unsigned kRight = 0x02;
inline constexpr unsigned kVCentre = 0x04;
inline constexpr unsigned kBottom = 0x08;
inline constexpr unsigned kWordBreak = 0x10;
inline constexpr unsigned kSingleLine = 0x20;
} // namespace cellformat

// Bit of a cell's state.
inline constexpr unsigned kCellSelected = 0x02;

// The font a cell is drawn in.
struct GridFont {
    std::string family;
    double pointSize = 0;
    int weight = 400;
    bool italic = false;

    bool operator==(const GridFont&) const = default;
};

struct GridCell {
    unsigned state = 0;
    unsigned format = 0;
    std::string text;
    int image = -1; // none
    GridColor backColor = kDefaultColor;
    GridColor textColor = kDefaultColor;
    std::intptr_t userData = 0;
    GridFont font;
};

// Which members of a CellUpdate SetCell applies.
namespace cellmask {
inline constexpr unsigned kText = 0x01;
inline constexpr unsigned kImage = 0x02;
inline constexpr unsigned kUserData = 0x04;
inline constexpr unsigned kState = 0x08;
inline constexpr unsigned kBackColor = 0x10;
inline constexpr unsigned kTextColor = 0x20;
inline constexpr unsigned kFormat = 0x40;
inline constexpr unsigned kFont = 0x80;
} // namespace cellmask

struct CellUpdate {
    int row = 0;
    int column = 0;
    unsigned mask = 0;
    unsigned state = 0;
    unsigned format = 0;
    std::string text;
    int image = -1;
    GridColor backColor = kDefaultColor;
    GridColor textColor = kDefaultColor;
    std::intptr_t userData = 0;
    GridFont font;
};

} // namespace velutra
