// The PIC18 page sets: bytes 1H (cell 0) ... 7L (cell 13) at 0xF0010. Every
// set clears 4H when it opens, all but ConfigType 45 clear 3L, and 27, 28,
// 34, 35 and 45 clear 1L: bytes these parts do not implement, which a file
// may have filled. Their tabs are still to be drawn; the opening already
// does what each set's opening does.
#include "catalogue/ChipFacts.h"
#include "config/pages/PageTables.h"

namespace karvo::config {
namespace {

constexpr std::uint8_t k1L = 1;
constexpr std::uint8_t k3L = 5;
constexpr std::uint8_t k4H = 6;

constexpr ClearedCell kClearsWith1L[] = {
    {k4H, Always()},
    {k3L, Not(ConfigTypeIs(pic::kConfigType18Fxx31))},
    {k1L, Always()},
};
constexpr ClearedCell kClears[] = {{k4H, Always()}, {k3L, Always()}};

constexpr std::uint8_t kSet27[] = {27, 28};
constexpr std::uint8_t kSet34[] = {34, 35, pic::kConfigType18Fxx31};
constexpr std::uint8_t kSet36[] = {36, 37, 41, 42, 43, 44};
constexpr std::uint8_t kSet38[] = {38};

constexpr PageSet kSets[] = {
    {Dialog::Pic, kSet27, {}, kClearsWith1L},
    {Dialog::Pic, kSet34, {}, kClearsWith1L},
    {Dialog::Pic, kSet36, {}, kClears},
    {Dialog::Pic, kSet38, {}, kClears},
};

}  // namespace

std::span<const PageSet> Pic18PageSets() {
    return kSets;
}

}  // namespace karvo::config
