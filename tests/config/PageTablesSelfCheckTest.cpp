// A walk over every row of every page table: the notation, the names, the
// captions, the counts, the references between rows; then, for every shipped
// part a page serves, the bits each shown control writes against the part's
// mask and configuration area, and against the other controls of its page.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <regex>
#include <set>

#include <fmt/format.h>

#include "buffer/HexText.h"
#include "config/Conditions.h"
#include "config/ConfigRig.h"

namespace karvo::test {
namespace {

using config::ControlKind;
using config::ControlRow;
using config::PageRow;
using config::PageSet;
using config::Segment;

// Names the design gives otherwise than kind, page number and bit name:
// the 18F4520's oscillator list and the boot-block groups of other types on
// the Page36 set, the Page208 boxes and seed fields, the ATmega162's and
// AT89S2051's groups, the Page209 CKSEL list, the ATmega162's address field.
const std::set<std::string> kNamedOtherwise = {
    "RG37_Osc",  "RG37_BB",   "RG42_BB",   "P208Lock",   "P208Movin",  "P208S01in", "P208Osc",
    "Seed0Edit", "Seed1Edit", "GroupBox1", "GroupBox10", "GroupBox15", "CKSEL_CB",  "CB207_edit",
};

// Controls that write one bit together, because the part wants both: the
// 16C77x's brown-out box also switches the power-up timer on.
const std::set<std::pair<std::string, std::string>> kSharedBits = {
    {"CB22_Bor", "CB22_Pwt"},
};

std::string PageNumber(std::string_view page) {
    std::smatch m;
    const std::string name(page);
    static const std::regex kPage(R"(Page(\d+)([A-D]?))");
    return std::regex_match(name, m, kPage) ? std::string(m[1]) : std::string{};
}

std::vector<std::string> Items(std::string_view items) {
    std::vector<std::string> out;
    if (items.empty()) return out;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = items.find('|', start);
        out.emplace_back(items.substr(start, bar - start));
        if (bar == std::string_view::npos) return out;
        start = bar + 1;
    }
}

int Choices(const ControlRow& row, std::string_view items) {
    if (row.kind == ControlKind::CheckBox) return 2;
    if (row.kind == ControlKind::Edit) return 0x100;
    return static_cast<int>(Items(items).size());
}

// The rules for one writes text and one opens text of a control with
// `choices` choices; the problems found.
std::vector<std::string> CheckBits(std::string_view writes, std::string_view opens, int choices,
                                   config::Storage storage) {
    std::vector<std::string> problems;
    if (const auto e = config::notation::CheckWrites(writes); !e.empty()) {
        problems.push_back(fmt::format("writes \"{}\": {}", writes, e));
        return problems;
    }
    config::OpenRule rule;
    if (const auto e = config::notation::ParseOpen(opens, rule); !e.empty()) {
        problems.push_back(fmt::format("opens \"{}\": {}", opens, e));
    }
    if (rule.unit != nullptr && rule.unit->storage != storage) {
        problems.push_back(fmt::format("opens from {} of the other dialog", rule.unit->name));
    }
    config::notation::ForEachSegment(writes, [&](const Segment& s) {
        if (s.kind == Segment::Kind::Mask) {
            if (storage != config::Storage::PicArea) problems.push_back("mask outside a PIC page");
            return;
        }
        if (s.unit->storage != storage) {
            problems.push_back(fmt::format("{} belongs to the other dialog", s.unit->name));
        }
        if (s.kind == Segment::Kind::Patterns && s.patternCount != 1 && s.patternCount != choices) {
            problems.push_back(fmt::format("{} patterns for {} choices in \"{}\"", s.patternCount,
                                           choices, writes));
        }
        if (s.kind == Segment::Kind::Index &&
            std::int64_t{choices} - 1 + s.offset >= (std::int64_t{1} << s.Bits())) {
            problems.push_back(
                fmt::format("{} choices do not fit bits {}..{}", choices, s.hi, s.lo));
        }
    });
    if (rule.kind == config::OpenRule::Kind::Table || rule.kind == config::OpenRule::Kind::Pairs) {
        std::string_view entries = rule.entries;
        while (!entries.empty()) {
            std::string_view entry = config::notation::Take(entries, ' ');
            if (rule.kind == config::OpenRule::Kind::Pairs) config::notation::Take(entry, '=');
            if (entry != "-" && config::notation::Decimal(entry) >= choices) {
                problems.push_back(fmt::format("opens on item {} of {}", entry, choices));
            }
        }
    }
    return problems;
}

std::vector<std::string> CheckSet(const PageSet& set) {
    std::vector<std::string> problems;
    auto fail = [&problems](std::string_view control, const std::string& what) {
        problems.push_back(fmt::format("{}: {}", control, what));
    };
    const auto storage =
        set.dialog == config::Dialog::Pic ? config::Storage::PicArea : config::Storage::BitsState;
    std::map<std::string, const ControlRow*> rows;
    for (const PageRow& page : set.pages) {
        for (const ControlRow& row : page.controls) {
            if (!rows.emplace(std::string(row.name), &row).second) fail(row.name, "named twice");
        }
    }
    static const std::map<ControlKind, std::regex> kNames = {
        {ControlKind::CheckBox, std::regex(R"(CB(\d+)([A-D]?)_\w+)")},
        {ControlKind::ComboBox, std::regex(R"(CB(\d+)([A-D]?)_\w+)")},
        {ControlKind::RadioGroup, std::regex(R"(RG(\d+)([A-D]?)(_\w+)?)")},
        {ControlKind::Group, std::regex(R"(GB(\d+)([A-D]?)(_\w+)?)")},
        {ControlKind::Edit, std::regex(R"(Edit(\d+)([A-D]?))")},
    };
    for (const PageRow& page : set.pages) {
        for (const ControlRow& row : page.controls) {
            const std::string name(row.name);
            const auto rule = kNames.find(row.kind);
            std::smatch m;
            if (!kNamedOtherwise.count(name) &&
                (rule == kNames.end() || !std::regex_match(name, m, rule->second) ||
                 m[1] != PageNumber(page.name))) {
                fail(row.name, fmt::format("not named for its kind on {}", page.name));
            }
            // A radio group inside a titled group may go untitled.
            const bool untitledInGroup = row.kind == ControlKind::RadioGroup && !row.parent.empty();
            if (row.kind != ControlKind::Edit && row.kind != ControlKind::Display &&
                !untitledInGroup && row.caption.empty()) {
                fail(row.name, "no caption");
            }
            for (const std::string& item : Items(row.items)) {
                if (item.empty() && row.kind != ControlKind::ComboBox)
                    fail(row.name, "an empty item");
            }
            if ((row.kind == ControlKind::RadioGroup || row.kind == ControlKind::ComboBox) &&
                Items(row.items).size() < 2) {
                fail(row.name, "a group of fewer than two items");
            }
            if (!row.parent.empty()) {
                const auto parent = rows.find(std::string(row.parent));
                if (parent == rows.end() || parent->second->kind != ControlKind::Group) {
                    fail(row.name, "sits in no group of its page");
                }
            }
            for (const std::string& p :
                 CheckBits(row.writes.Text(), row.opens.Text(), Choices(row, row.items), storage)) {
                fail(row.name, p);
            }
            for (const config::When* when : {&row.visible, &row.enabled}) {
                for (std::uint8_t i = 0; i < when->count; ++i) {
                    if (!when->terms[i].text.empty() &&
                        when->terms[i].test != config::Test::DevNameIs &&
                        when->terms[i].test != config::Test::DevNameStartsWith &&
                        !rows.count(std::string(when->terms[i].text))) {
                        fail(row.name, "asks about a control that is not there");
                    }
                }
            }
        }
        for (const config::VariantRow& v : page.variants) {
            const auto row = rows.find(std::string(v.control));
            if (row == rows.end()) {
                fail(v.control, "a variant of no control");
                continue;
            }
            const std::string_view items = v.items.empty() ? row->second->items : v.items;
            const std::string_view writes =
                v.writes.Empty() ? row->second->writes.Text() : v.writes.Text();
            const std::string_view opens =
                v.opens.Empty() ? row->second->opens.Text() : v.opens.Text();
            for (const std::string& p :
                 CheckBits(writes, opens, Choices(*row->second, items), storage)) {
                fail(v.control, "variant: " + p);
            }
        }
    }
    return problems;
}

TEST(PageTables, EveryRowKeepsTheRules) {
    std::size_t controls = 0;
    std::size_t pages = 0;
    for (const PageSet& set : config::AllPageSets()) {
        for (const std::string& p : CheckSet(set)) ADD_FAILURE() << p;
        for (const PageRow& page : set.pages) {
            ++pages;
            controls += page.controls.size();
        }
    }
    RecordProperty("pages", static_cast<int>(pages));
    RecordProperty("controls", static_cast<int>(controls));
    EXPECT_EQ(pages, 61u);
    EXPECT_GE(controls, 515u);
}

// The checker itself finds what it is there to find.
TEST(PageTables, TheCheckFindsBrokenRows) {
    static constexpr ControlRow kBroken[] = {
        config::Check("CB5_Twice", "", "w1 3 = #"),
        config::Check("CB5_Twice", "Again", "w1 3: 1 0 1"),
        config::Radio("RG6_Osc", " Osc ", "A|B|C|D|E", "w1 1..0 = #; FuseLow 0: 1").In("GB5_None"),
    };
    static constexpr PageRow kPages[] = {{"Page5", nullptr, kBroken}};
    static constexpr std::uint8_t kTypes[] = {5};
    const PageSet set{config::Dialog::Pic, kTypes, kPages};
    const std::string found = fmt::format("{}", fmt::join(CheckSet(set), "\n"));
    for (const char* expected :
         {"CB5_Twice: named twice", "CB5_Twice: no caption", "3 patterns for 2 choices",
          "RG6_Osc: not named", "5 choices do not fit bits 1..0", "FuseLow belongs to the other",
          "sits in no group"}) {
        EXPECT_NE(found.find(expected), std::string::npos) << expected << " in\n" << found;
    }
}

// What ChipFacts says of each ConfigType agrees with the tables: a type of
// the standard kind has its pages, and a page set writes only the bytes the
// kind gives it.
TEST(PageTables, AgreeWithTheChipFacts) {
    for (int t = 0; t < 256; ++t) {
        const auto type = static_cast<std::uint8_t>(t);
        const PageSet* set = config::FindPageSet(config::AllPageSets(), config::Dialog::Pic, type);
        if (PicPageKindOf(type) != PicPageKind::None) {
            EXPECT_NE(set, nullptr) << "ConfigType " << t << " has no page";
        }
        const PageSet* other =
            config::FindPageSet(config::AllPageSets(), config::Dialog::Other, type);
        EXPECT_EQ(other != nullptr, pages::IsSerialPage(type) || pages::IsMicroPage(type) ||
                                        type == pages::kEepromDataProtection)
            << "ConfigType " << t << " of the other families";
        if (set == nullptr) continue;
        EXPECT_NE(PicPageKindOf(type), PicPageKind::None) << t;
        for (const PageRow& page : set->pages) {
            for (const ControlRow& row : page.controls) {
                config::notation::ForEachSegment(row.writes.Text(), [&](const Segment& s) {
                    if (s.kind == Segment::Kind::Mask) return;
                    EXPECT_LE(s.unit->cell + s.unit->bytes, PicPageConfigBytes(type))
                        << row.name << " writes " << s.unit->name << " for ConfigType " << t;
                });
            }
        }
    }
}

// A byte a set clears when it opens is one the part does not implement:
// the clearing only drops what a file may have put there.
TEST(PageTables, SetsClearOnlyBytesTheirPartsLack) {
    const auto file = DeviceDataFile::Open(std::string(KARVO_BIN_DIR) + "/KARVO_m.usb");
    ASSERT_TRUE(file);
    int cleared = 0;
    for (std::size_t m = 0; m < file->Manufacturers().size(); ++m) {
        for (std::size_t d = 0; d < file->Manufacturers()[m].deviceCount; ++d) {
            const auto part = file->Record(m, d);
            if (!part || part->Family() != Family::Pic) continue;
            const PageSet* set =
                config::FindPageSet(config::AllPageSets(), config::Dialog::Pic, part->ConfigType());
            if (set == nullptr) continue;
            for (const config::ClearedCell& c : set->clearedAtOpening) {
                if (!config::Holds(c.when, config::ConditionContext(*part))) continue;
                EXPECT_EQ(part->ConfigMask(c.cell), 0)
                    << part->DevName() << " byte " << int{c.cell};
                ++cleared;
            }
        }
    }
    EXPECT_GT(cleared, 0);
}

// Thirty-two configuration bytes and one part's mask, to try writes on.
struct SimStore final : config::CellStore {
    std::array<std::uint8_t, 32> bytes{};
    std::array<std::uint8_t, 32> mask{};
    std::uint8_t count = 0;
    config::Storage Kind() const override { return config::Storage::PicArea; }
    bool Has(std::uint8_t cell) const override { return cell < bytes.size(); }
    std::uint8_t Read(std::uint8_t cell) const override { return Has(cell) ? bytes[cell] : 0; }
    void Write(std::uint8_t cell, std::uint8_t v) override {
        if (Has(cell)) bytes[cell] = v;
    }
    std::uint8_t Mask(std::uint8_t cell) const override { return cell < count ? mask[cell] : 0xFF; }
};

struct Written {
    std::array<std::uint8_t, 32> chosen{};   // bits that differ between the choices
    std::array<std::uint8_t, 32> ones{};     // bits some choice sets from all zeros
    std::array<std::uint8_t, 32> touched{};  // bits some choice writes at all
};

Written Simulate(const DeviceRecord& part, std::string_view writes, int choices) {
    Written w;
    SimStore s;
    s.count = part.ConfigCount();
    for (std::size_t i = 0; i < 32; ++i) s.mask[i] = part.ConfigMask(i);
    std::array<std::uint8_t, 32> first{};
    for (int c = 0; c < choices; ++c) {
        s.bytes = s.mask;
        config::ApplyWrites(writes, c, s);
        for (std::size_t i = 0; i < 32; ++i) {
            if (c == 0) first[i] = s.bytes[i];
            w.chosen[i] |= static_cast<std::uint8_t>(first[i] ^ s.bytes[i]);
            w.touched[i] |= static_cast<std::uint8_t>(s.mask[i] ^ s.bytes[i]);
        }
        s.bytes.fill(0);
        config::ApplyWrites(writes, c, s);
        for (std::size_t i = 0; i < 32; ++i) {
            w.ones[i] |= s.bytes[i];
        }
        s.bytes.fill(0xFF);
        config::ApplyWrites(writes, c, s);
        for (std::size_t i = 0; i < 32; ++i) w.touched[i] |= static_cast<std::uint8_t>(~s.bytes[i]);
    }
    return w;
}

TEST(PageTables, EveryShownControlWritesInsideItsPart) {
    const auto file = DeviceDataFile::Open(std::string(KARVO_BIN_DIR) + "/KARVO_m.usb");
    ASSERT_TRUE(file);
    int parts = 0;
    int checked = 0;
    for (std::size_t m = 0; m < file->Manufacturers().size(); ++m) {
        for (std::size_t d = 0; d < file->Manufacturers()[m].deviceCount; ++d) {
            const auto part = file->Record(m, d);
            if (!part || part->Family() != Family::Pic) continue;
            ConfigRig rig(*part);
            rig.Open();
            if (rig.model.Pages().empty()) continue;
            ++parts;
            std::vector<std::pair<std::string, Written>> shown;
            for (const auto& page : rig.model.Pages()) {
                for (const auto& c : page.controls) {
                    if (!c.visible || c.Kind() == ControlKind::Group) continue;
                    // A box the chip's size disables writes nothing (one the
                    // page disables for now still counts).
                    if (!c.enabled && !config::AsksControls(c.row->enabled)) continue;
                    ++checked;
                    const Written w = Simulate(*part, c.writes, c.Choices());
                    const std::string where = fmt::format("{} {}", part->DevName(), c.Name());
                    bool any = false;
                    for (std::size_t i = 0; i < 32; ++i) {
                        const std::uint8_t mask = part->ConfigMask(i);
                        const bool inArea = i < part->ConfigCount();
                        EXPECT_EQ(w.chosen[i] & ~mask, 0)
                            << where << " chooses bits the part lacks in byte " << i;
                        EXPECT_EQ(w.ones[i] & ~mask, 0)
                            << where << " sets bits the part lacks in byte " << i;
                        if (!inArea) {
                            EXPECT_EQ(w.touched[i], 0) << where << " writes beyond ConfigCount";
                        }
                        any = any || (w.chosen[i] & mask) != 0;
                    }
                    if (c.enabled) {
                        EXPECT_TRUE(any) << where << " changes no bit of the part";
                    }
                    shown.emplace_back(std::string(c.Name()), w);
                }
            }
            for (std::size_t a = 0; a < shown.size(); ++a) {
                for (std::size_t b = a + 1; b < shown.size(); ++b) {
                    std::uint32_t both = 0;
                    for (std::size_t i = 0; i < 32; ++i) {
                        both |= shown[a].second.chosen[i] & shown[b].second.chosen[i];
                    }
                    const auto pair = std::minmax(shown[a].first, shown[b].first);
                    if (both != 0 && !kSharedBits.count({pair.first, pair.second})) {
                        ADD_FAILURE() << part->DevName() << ": " << shown[a].first << " and "
                                      << shown[b].first << " choose the same bits";
                    }
                }
            }
        }
    }
    RecordProperty("parts", parts);
    RecordProperty("controls", checked);
    EXPECT_GT(parts, 80);
}

// A field stored only when the dialog closes is hidden and holds a number,
// so that closing can never meet a conversion error.
TEST(PageTables, FieldsStoredOnCloseAreHiddenNumbers) {
    int fields = 0;
    for (const PageSet& set : config::AllPageSets()) {
        for (const PageRow& page : set.pages) {
            for (const ControlRow& row : page.controls) {
                if (row.hook != config::RowHook::StoredOnClose) continue;
                ++fields;
                EXPECT_EQ(row.kind, ControlKind::Edit) << row.name;
                EXPECT_EQ(row.visible.count, 1) << row.name;
                EXPECT_TRUE(row.visible.terms[0].test == config::Test::Always &&
                            row.visible.terms[0].negate)
                    << row.name << " is not hidden";
                EXPECT_TRUE(ParseTypedHex(std::string(row.caption))) << row.name;
            }
        }
    }
    EXPECT_EQ(fields, 2);
}

// The serial-flash page is shown for the sizes the validator lets the
// catalogue have, and for no other.
TEST(PageTables, SerialFlashPageKnowsTheValidatorsSizes) {
    const PageSet* set =
        config::FindPageSet(config::AllPageSets(), config::Dialog::Other, pages::kFirstSpiFlash);
    ASSERT_NE(set, nullptr);
    for (std::uint32_t last :
         {0xFFFFu, 0x1FFFFu, 0x3FFFFu, 0x5FFFFu, 0x7FFFFu, 0xFFFFFu, 0x1FFFFFu}) {
        const DeviceRecord part =
            DeviceBuilder('S', last, "FLASH").ConfigType(pages::kFirstSpiFlash);
        EXPECT_EQ(config::Holds(set->shown, config::ConditionContext(part)),
                  pages::SpiFlashPageKnowsSize(last))
            << std::hex << last;
    }
}

}  // namespace
}  // namespace karvo::test
