#pragma once
#include <array>

#include <QColor>

namespace karvo::ui {

// The wiring of the in-system-programming header: which signal each coloured
// mark stands for, in the order the notice lists them.
struct IspPin {
    const char* label;
    QColor colour;
};

inline const std::array<IspPin, 6> kIspPins = {{
    {"VCC", QColor(0xFF, 0x00, 0x00)},
    {"CLK", QColor(0x00, 0x00, 0xFF)},
    {"DATA/MOSI", QColor(0xFF, 0xFF, 0xFF)},
    {"MISO", QColor(0x00, 0x00, 0x80)},
    {"RST", QColor(0x00, 0x80, 0x00)},
    {"GND", QColor(0x00, 0x00, 0x00)},
}};

// The mark beside each pin of the header's two rows, seen from the left;
// -1 where a pin carries no mark, otherwise an index into kIspPins.
inline constexpr std::array<int, 5> kUpperRowMarks = {2, -1, 4, 3, 1};
inline constexpr std::array<int, 5> kLowerRowMarks = {5, -1, -1, 0, 5};

}  // namespace karvo::ui
