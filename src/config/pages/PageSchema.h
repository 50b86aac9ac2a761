#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "config/pages/BitsNotation.h"

// The configuration pages as data. A page is a list of control rows; each
// row says what the control is, what it is captioned, which bits each of its
// choices writes, how it opens from the stored bits, and when it is shown or
// enabled. Variant rows change a control's caption, items, bits or opening
// for some chips or states. One model (ConfigModel) reads every page, one
// builder (config/ui) draws every page; hooks serve the few controls whose
// behaviour no row can say.
namespace karvo::config {

// A condition on the chip or on the page's own state.
enum class Test : std::uint8_t {
    Always,
    LastAddrAbove,      // a
    LastAddrBelow,      // a
    LastAddrIs,         // a
    ConfigTypeIs,       // a
    AlgorithmIs,        // a
    DevNameIs,          // text
    DevNameStartsWith,  // text
    DevNameCharIs,      // a: position, b: character
    MaskHas,            // a: ConfigMask byte, b: bits that must all be set
    MaskWordIs,         // a: ConfigMask byte of the high half, b: the 16-bit mask
    DevIdIs,            // a
    DevId2Is,           // a
    VccMaxIs,           // a: hundredths of a volt, as the record's single-precision value
    VccMaxAbove,        // a: hundredths of a volt
    EepromSizeIs,       // a
    Checked,            // the control's own box is checked
    ControlChecked,     // text: another box of the page is checked
    ControlItemIs,      // text: another group of the page, a: its chosen item
    Nested,             // group: another condition (named, so that it can be pointed to)
};

struct When;

struct Term {
    Test test = Test::Always;
    bool negate = false;
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    std::string_view text;
    const When* group = nullptr;
};

// All terms hold (or, with `any`, one of them); no terms: always.
struct When {
    std::array<Term, 4> terms{};
    std::uint8_t count = 0;
    bool any = false;
};

namespace when_detail {
void UnsupportedCondition();
consteval When One(Test test, std::uint32_t a = 0, std::uint32_t b = 0,
                   std::string_view text = {}) {
    When w;
    w.terms[0] = Term{test, false, a, b, text};
    w.count = 1;
    return w;
}
consteval When Join(std::initializer_list<When> parts, bool any) {
    When w;
    w.any = any;
    for (const When& p : parts) {
        if (p.count > 1 && p.any != any) UnsupportedCondition();
        for (std::uint8_t i = 0; i < p.count; ++i) {
            if (w.count == w.terms.size()) UnsupportedCondition();
            w.terms[w.count++] = p.terms[i];
        }
    }
    return w;
}
}  // namespace when_detail

consteval When Always() {
    return {};
}
consteval When Never() {
    When w = when_detail::One(Test::Always);
    w.terms[0].negate = true;
    return w;
}
consteval When Not(When w) {
    if (w.count != 1) when_detail::UnsupportedCondition();
    w.terms[0].negate = !w.terms[0].negate;
    return w;
}
consteval When All(std::initializer_list<When> parts) {
    return when_detail::Join(parts, false);
}
consteval When Any(std::initializer_list<When> parts) {
    return when_detail::Join(parts, true);
}
consteval When LastAddrAbove(std::uint32_t v) {
    return when_detail::One(Test::LastAddrAbove, v);
}
consteval When LastAddrBelow(std::uint32_t v) {
    return when_detail::One(Test::LastAddrBelow, v);
}
consteval When LastAddrIs(std::uint32_t v) {
    return when_detail::One(Test::LastAddrIs, v);
}
consteval When ConfigTypeIs(std::uint8_t v) {
    return when_detail::One(Test::ConfigTypeIs, v);
}
consteval When AlgorithmIs(std::uint8_t v) {
    return when_detail::One(Test::AlgorithmIs, v);
}
consteval When DevNameIs(std::string_view name) {
    return when_detail::One(Test::DevNameIs, 0, 0, name);
}
consteval When DevNameStartsWith(std::string_view prefix) {
    return when_detail::One(Test::DevNameStartsWith, 0, 0, prefix);
}
// The character at `position` (from 0) of DevName.
consteval When DevNameCharIs(std::uint32_t position, char c) {
    return when_detail::One(Test::DevNameCharIs, position, static_cast<std::uint8_t>(c));
}
// ConfigMask[byte] has every one of `bits` set.
consteval When MaskHas(std::uint32_t byte, std::uint8_t bits) {
    return when_detail::One(Test::MaskHas, byte, bits);
}
// ConfigMask[byte] * 256 + ConfigMask[byte + 1] is `word`.
consteval When MaskWordIs(std::uint32_t byte, std::uint16_t word) {
    return when_detail::One(Test::MaskWordIs, byte, word);
}
consteval When DevIdIs(std::uint8_t v) {
    return when_detail::One(Test::DevIdIs, v);
}
consteval When DevId2Is(std::uint8_t v) {
    return when_detail::One(Test::DevId2Is, v);
}
// VccMax equals hundredths / 100 as the record stores it, a single-precision
// number: 3.6 V is the float nearest 3.6, not the double.
consteval When VccMaxIs(std::uint32_t hundredths) {
    return when_detail::One(Test::VccMaxIs, hundredths);
}
consteval When VccMaxAbove(std::uint32_t hundredths) {
    return when_detail::One(Test::VccMaxAbove, hundredths);
}
consteval When EepromSizeIs(std::uint16_t v) {
    return when_detail::One(Test::EepromSizeIs, v);
}
consteval When Checked() {
    return when_detail::One(Test::Checked);
}
consteval When ControlChecked(std::string_view control) {
    return when_detail::One(Test::ControlChecked, 0, 0, control);
}
consteval When ControlItemIs(std::string_view control, std::uint32_t item) {
    return when_detail::One(Test::ControlItemIs, item, 0, control);
}
// A condition of the other kind (Any inside All, or All inside Any); `w`
// must be a constant of its own, as the term points to it.
consteval When Nested(const When& w) {
    When h = when_detail::One(Test::Nested);
    h.terms[0].group = &w;
    return h;
}

enum class ControlKind : std::uint8_t {
    CheckBox,
    RadioGroup,
    ComboBox,
    Edit,     // hexadecimal text; its writes take the number typed as the choice
    Display,  // read-only text
    Group,    // a titled box holding other controls
};

// Behaviour a row cannot say; each hook is named after what it does and
// lives in PageHooks.cpp.
enum class RowHook : std::uint8_t {
    None,
    // Choosing the item that stands for an invalid code chooses item 0.
    InvalidItemChoosesFirst,
    // A calibration button: CalibByte takes the CalibTable value it picks.
    PicksCalibration,
    // An edit field whose text is stored only when the dialog closes (OK).
    StoredOnClose,
};

struct ControlRow {
    std::string_view name;
    ControlKind kind = ControlKind::CheckBox;
    std::string_view caption;
    std::string_view items;  // "|"-separated
    Writes writes;
    Opens opens;
    When visible;
    When enabled;
    std::string_view parent;  // the Group row it sits in
    std::uint8_t column = 0;  // where the builder places it, from the left
    RowHook hook = RowHook::None;
    // Items the user may choose, from the first; the others (0: none) are
    // shown when the stored bits hold them but cannot be chosen.
    std::uint8_t offered = 0;

    consteval ControlRow Opening(Opens o) const {
        ControlRow r = *this;
        r.opens = o;
        return r;
    }
    consteval ControlRow Visible(When w) const {
        ControlRow r = *this;
        r.visible = w;
        return r;
    }
    consteval ControlRow Enabled(When w) const {
        ControlRow r = *this;
        r.enabled = w;
        return r;
    }
    consteval ControlRow Column(std::uint8_t c) const {
        ControlRow r = *this;
        r.column = c;
        return r;
    }
    consteval ControlRow In(std::string_view group) const {
        ControlRow r = *this;
        r.parent = group;
        return r;
    }
    consteval ControlRow WithHook(RowHook h) const {
        ControlRow r = *this;
        r.hook = h;
        return r;
    }
    consteval ControlRow Offers(std::uint8_t count) const {
        ControlRow r = *this;
        r.offered = count;
        return r;
    }
};

consteval ControlRow Check(std::string_view name, std::string_view caption, Writes writes) {
    return {name, ControlKind::CheckBox, caption, {}, writes, {}, {}, {}, {}, 0, RowHook::None};
}
consteval ControlRow Radio(std::string_view name, std::string_view caption, std::string_view items,
                           Writes writes) {
    return {name,         ControlKind::RadioGroup, caption, items, writes, {}, {}, {}, {}, 0,
            RowHook::None};
}
consteval ControlRow Combo(std::string_view name, std::string_view caption, std::string_view items,
                           Writes writes) {
    return {name, ControlKind::ComboBox, caption, items, writes, {}, {}, {}, {}, 0, RowHook::None};
}
consteval ControlRow Group(std::string_view name, std::string_view caption) {
    return {name, ControlKind::Group, caption, {}, {}, {}, {}, {}, {}, 0, RowHook::None};
}
// A hexadecimal edit field; `text` is its design text.
consteval ControlRow Edit(std::string_view name, std::string_view text, Writes writes) {
    return {name, ControlKind::Edit, text, {}, writes, {}, {}, {}, {}, 0, RowHook::None};
}

// A control's caption, items, bits or opening for the chips or states the
// condition names; the first variant that holds wins for each of them.
struct VariantRow {
    std::string_view control;
    When when;
    std::string_view caption;  // empty: the row's
    std::string_view items;    // empty: the row's
    Writes writes;             // empty: the row's
    Opens opens;               // empty: the row's

    consteval VariantRow Caption(std::string_view c) const {
        VariantRow v = *this;
        v.caption = c;
        return v;
    }
    consteval VariantRow Items(std::string_view i) const {
        VariantRow v = *this;
        v.items = i;
        return v;
    }
    consteval VariantRow Bits(Writes w) const {
        VariantRow v = *this;
        v.writes = w;
        return v;
    }
    consteval VariantRow Opening(Opens o) const {
        VariantRow v = *this;
        v.opens = o;
        return v;
    }
};

// A variant of `control` that applies while `when` holds.
consteval VariantRow Vary(std::string_view control, When when) {
    return {control, when, {}, {}, {}, {}};
}

// A hex label: the stored byte of `cell`, two upper-case digits after the
// prefix; `caption`, if any, stands before it on the page.
struct LabelRow {
    std::string_view name;
    std::uint8_t cell = 0;
    std::string_view prefix = {};
    std::string_view caption = {};
};

// One tab.
struct PageRow {
    std::string_view name;
    // Null: captioned with DevName.
    const char* caption = nullptr;
    std::span<const ControlRow> controls;
    std::span<const VariantRow> variants = {};
    std::span<const LabelRow> labels = {};
    // The PIC ID group stays in view while this page is active.
    bool showsIdGroup = true;
};

enum class Dialog : std::uint8_t {
    Pic,    // TfrmPicConfig: family 'C', values in the buffer
    Other,  // TfrmConfig: every other family, values in ConfigBitsState
};

// A byte a page set clears each time it opens, when the condition holds (or
// sets to `value`: Page208 starts from an all-ones security byte).
struct ClearedCell {
    std::uint8_t cell = 0;
    When when;
    std::uint8_t value = 0;
};

// The pages one row of ConfigTypes shows.
struct PageSet {
    Dialog dialog = Dialog::Pic;
    std::span<const std::uint8_t> configTypes;
    std::span<const PageRow> pages;
    std::span<const ClearedCell> clearedAtOpening = {};
    // The chips the pages are drawn for; on any other the dialog shows none.
    When shown = {};
};

}  // namespace karvo::config
