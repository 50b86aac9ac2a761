// The pages against gputils' device headers: for every shipped part a page
// serves (12-bit and 14-bit words, the enhanced mid-range words, the PIC18
// bytes CONFIG1H ... CONFIG7L), each shown control chooses exactly the bits
// of the settings it touches, every choice it offers writes a value the
// header has for them, and the polarity its caption claims is the one the
// header's names give. The exceptions are listed where they are made
// (kFewerValues, the names Claimed takes for "enabled" and "disabled").
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "config/ConfigRig.h"
#include "support/GputilsHeaders.h"

namespace karvo::test {
namespace {

// One setting of a configuration word: the bits its values differ in, and
// each value with every name the header gives it. The erased word (all
// ones) is a value of every setting, whether or not the header names it.
struct Setting {
    std::string key;
    std::uint32_t bits = 0;
    std::vector<std::pair<std::uint32_t, std::set<std::string>>> values;

    const std::set<std::string>* NamesOf(std::uint32_t word) const {
        for (const auto& [value, names] : values) {
            if ((value & bits) == (word & bits)) return &names;
        }
        return nullptr;
    }
};

std::vector<std::string> Tokens(const std::string& name) {
    std::vector<std::string> tokens;
    std::stringstream in(name.substr(name.find_first_not_of('_')));
    for (std::string t; std::getline(in, t, '_');) tokens.push_back(Upper(t));
    return tokens;
}

// The setting a value's name belongs to, first by its first word; every
// name of an oscillator value ("_LP_OSC", "_FOSC_LP", "_OSC_IntRC") under
// one. Aliases named otherwise ("_INTRC_IO", "_EC_RB4EN", "_BOR21V") join
// the setting whose bits they share.
std::string KeyOf(const std::string& name) {
    const auto tokens = Tokens(name);
    for (const std::string& t : tokens) {
        if (t == "OSC" || t == "FOSC") return "OSC";
    }
    return tokens.front();
}

// The bits the values differ in, the erased word counted as a value (old
// headers leave it out), among the bits the part implements (a bit every
// value fixes is none of them).
std::uint32_t DifferingBits(const Setting& s, std::uint32_t erased, std::uint32_t mask) {
    std::uint32_t ones = erased;
    std::uint32_t zeros = ~erased;
    for (const auto& [value, names] : s.values) {
        ones |= value;
        zeros |= ~value;
    }
    return ones & zeros & erased & mask;
}

void AddValue(Setting& s, std::uint32_t value, const std::set<std::string>& names) {
    for (auto& [known, knownNames] : s.values) {
        if (known == value) {
            knownNames.insert(names.begin(), names.end());
            return;
        }
    }
    s.values.push_back({value, names});
}

std::vector<Setting> SettingsOf(const ConfigSettings& header, const std::string& word,
                                std::uint32_t erased, std::uint32_t mask) {
    std::map<std::string, Setting> byKey;
    for (const std::vector<Option>& group : header.Groups(word)) {
        for (const Option& o : group) {
            const std::string key = KeyOf(o.name);
            Setting& s = byKey[key];
            s.key = key;
            AddValue(s, o.value & erased, {o.name});
        }
    }
    std::vector<Setting> settings;
    for (auto& [key, s] : byKey) {
        s.bits = DifferingBits(s, erased, mask);
        if (s.bits != 0) settings.push_back(std::move(s));
    }
    // Settings sharing a bit are one setting under several names.
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t a = 0; a < settings.size() && !merged; ++a) {
            for (std::size_t b = a + 1; b < settings.size() && !merged; ++b) {
                if ((settings[a].bits & settings[b].bits) == 0) continue;
                for (const auto& [value, names] : settings[b].values)
                    AddValue(settings[a], value, names);
                settings[a].bits = DifferingBits(settings[a], erased, mask);
                if (settings[b].key.size() < settings[a].key.size())
                    settings[a].key = settings[b].key;
                settings.erase(settings.begin() + static_cast<std::ptrdiff_t>(b));
                merged = true;
            }
        }
    }
    for (Setting& s : settings) {
        if (!s.NamesOf(erased)) s.values.push_back({erased, {}});
    }
    return settings;
}

bool HasToken(const std::set<std::string>& names, std::initializer_list<const char*> wanted) {
    for (const std::string& name : names) {
        for (const std::string& t : Tokens(name)) {
            for (const char* w : wanted) {
                if (t == w) return true;
            }
        }
    }
    return false;
}

std::string Lowered(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return Lower(text);
}
bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The tokens a name must carry for what a caption says, if it says any.
std::vector<const char*> Claimed(const std::string& caption, bool checkBoxChecked) {
    const std::string c = Lowered(caption);
    if (checkBoxChecked) {
        // The 16F1459's header spells its values ENABLED and DISABLED, and
        // the 18F4320's calls PORTB's A/D inputs enabled ANA.
        if (EndsWith(c, "enabled") || EndsWith(c, "enable")) return {"ON", "ALL", "ENABLED", "ANA"};
        if (EndsWith(c, "disabled") || EndsWith(c, " off")) return {"OFF", "DISABLED"};
        if (EndsWith(c, "protected")) return {"ON", "ALL"};
        return {};
    }
    if (EndsWith(c, "protection off") || c == "off") return {"OFF"};
    if (c.rfind("all ", 0) == 0 && EndsWith(c, "protected")) return {"ON", "ALL"};
    for (const char* osc : {"lp", "xt", "hs", "rc", "ec"}) {
        if (c == osc)
            return {osc[0] == 'l'   ? "LP"
                    : osc[0] == 'x' ? "XT"
                    : osc[0] == 'h' ? "HS"
                    : osc[0] == 'r' ? "RC"
                                    : "EC"};
    }
    return {};
}

// Where the header's words sit among the configuration bytes: the 12-bit,
// 14-bit and enhanced parts' CONFIG (or CONFIG1) and CONFIG2 as words from
// byte 0 and 2, the PIC18's CONFIGnH and CONFIGnL as bytes 2(n - 1) and
// 2(n - 1) + 1.
struct WordPlace {
    std::size_t cell = 0;
    std::size_t bytes = 2;
};
std::optional<WordPlace> PlaceOf(const std::string& word, PicPageKind kind) {
    if (kind != PicPageKind::Pic18) {
        if (word == "CONFIG" || word == "CONFIG1") return WordPlace{0, 2};
        if (word == "CONFIG2") return WordPlace{2, 2};
        return std::nullopt;
    }
    std::smatch m;
    static const std::regex kByte(R"(CONFIG([1-7])([HL]))");
    if (!std::regex_match(word, m, kByte)) return std::nullopt;
    const std::size_t n = static_cast<std::size_t>(std::stoi(m[1]));
    return WordPlace{2 * (n - 1) + (m[2] == "L" ? 1 : 0), 1};
}

std::uint32_t MaskOf(const DeviceRecord& part, WordPlace place) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < place.bytes; ++i)
        value = (value << 8) | part.ConfigMask(place.cell + i);
    return value;
}
// The erased word: ones where a 14-bit word has them (BlankValue is the high
// byte of an erased word), all ones in a PIC18 byte.
std::uint32_t ErasedOf(const DeviceRecord& part, WordPlace place) {
    return place.bytes == 1 ? 0xFF : (std::uint32_t{part.BlankValue()} << 8) | 0xFF;
}

// The configuration bytes a choice leaves, from the part's erased (masked)
// bytes.
std::vector<std::uint8_t> BytesAfter(const DeviceRecord& part, std::string_view writes,
                                     int choice) {
    ConfigRig rig(part);
    const std::uint8_t count = part.ConfigCount();
    for (std::uint8_t i = 0; i < count; ++i) rig.buffer[rig.Config() + i] = part.ConfigMask(i);
    config::PicAreaStore store(rig.buffer, part, rig.Config());
    config::ApplyWrites(writes, choice, store);
    std::vector<std::uint8_t> bytes;
    for (std::uint8_t i = 0; i < count; ++i) bytes.push_back(rig.buffer[rig.Config() + i]);
    return bytes;
}
std::uint32_t ValueAt(const std::vector<std::uint8_t>& bytes, WordPlace place) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < place.bytes; ++i) value = (value << 8) | bytes.at(place.cell + i);
    return value;
}

// Controls that offer fewer values of a setting than the header has, as
// designed: the 18F2x/4xK50's brown-out levels 2.85 V and 2.5 V (bit 3), of
// which the 18LF parts show all four (bits 4..3).
const std::set<std::string> kFewerValues = {"RG38_BORV"};

struct HeaderWord {
    std::string name;
    WordPlace place;
    std::vector<Setting> settings;
};

TEST(GputilsPages, EveryShownControlAgreesWithTheHeaderOfItsPart) {
    if (!fs::is_directory(kGputils / "header")) {
        GTEST_SKIP() << kGputils << " is absent; install gputils to compare with it";
    }
    const auto file = DeviceDataFile::Open(std::string(KARVO_BIN_DIR) + "/KARVO_m.usb");
    ASSERT_TRUE(file);
    std::map<PicPageKind, int> parts;
    int controls = 0;
    std::string passedOver;
    for (std::size_t m = 0; m < file->Manufacturers().size(); ++m) {
        for (std::size_t d = 0; d < file->Manufacturers()[m].deviceCount; ++d) {
            const auto part = file->Record(m, d);
            if (!part) continue;
            const PicPageKind kind = PicPageKindFor(*part);
            if (kind == PicPageKind::None) continue;
            const std::string name = part->DevName();
            const PartFiles files = FilesFor(kGputils, name);
            if (!fs::exists(files.header)) {
                passedOver += passedOver.empty() ? name : ", " + name;
                continue;
            }
            const ConfigSettings header(files.header, files.symbol);
            std::vector<HeaderWord> words;
            for (const std::string& word : header.Words()) {
                const auto place = PlaceOf(word, kind);
                ASSERT_TRUE(place) << name << " has settings in " << word;
                if (place->cell + place->bytes > part->ConfigCount()) {
                    ADD_FAILURE() << name << ": " << word << " lies beyond ConfigCount";
                    continue;
                }
                const std::uint32_t erased = ErasedOf(*part, *place);
                words.push_back(
                    {word, *place, SettingsOf(header, word, erased, MaskOf(*part, *place))});
            }
            ConfigRig rig(*part);
            rig.Open();
            if (rig.model.Pages().empty()) continue;
            ++parts[kind];
            for (const auto& page : rig.model.Pages()) {
                for (const auto& c : page.controls) {
                    if (!c.visible || !c.enabled || c.Kind() == config::ControlKind::Group)
                        continue;
                    ++controls;
                    const std::string where = fmt::format("{} {}", name, c.Name());
                    std::vector<std::vector<std::uint8_t>> after;
                    for (int choice = 0; choice < c.Choices(); ++choice) {
                        after.push_back(BytesAfter(*part, c.writes, choice));
                    }
                    for (const HeaderWord& word : words) {
                        const std::uint32_t mask = MaskOf(*part, word.place);
                        std::uint32_t chosen = 0;
                        for (const auto& bytes : after) {
                            chosen |=
                                (ValueAt(bytes, word.place) ^ ValueAt(after[0], word.place)) & mask;
                        }
                        if (chosen == 0) continue;
                        std::uint32_t covered = 0;
                        for (const Setting& s : word.settings) {
                            if ((s.bits & chosen) == 0) continue;
                            covered |= s.bits;
                            for (int choice = 0; choice < c.Choices(); ++choice) {
                                // Items shown for codes the part lacks are not offered.
                                if (!c.Offered(choice)) continue;
                                const std::string item =
                                    c.Kind() == config::ControlKind::CheckBox
                                        ? (choice ? "checked" : "unchecked")
                                        : c.items[static_cast<std::size_t>(choice)];
                                // Items standing for a code the part lacks are written as listed.
                                if (item.find("invalid") != std::string::npos) continue;
                                const std::uint32_t w =
                                    ValueAt(after[static_cast<std::size_t>(choice)], word.place);
                                const std::set<std::string>* names = s.NamesOf(w);
                                if (names == nullptr) {
                                    ADD_FAILURE()
                                        << where << " \"" << item << "\" writes "
                                        << fmt::format("{:04X}", w) << ", which no value of "
                                        << s.key << " has in " << word.name << " bits "
                                        << fmt::format("{:04X}", s.bits);
                                    continue;
                                }
                                const auto claimed =
                                    c.Kind() == config::ControlKind::CheckBox
                                        ? (choice == 1 ? Claimed(c.caption, true)
                                                       : std::vector<const char*>{})
                                        : Claimed(item, false);
                                if (claimed.empty() || names->empty()) continue;
                                bool found = false;
                                for (const char* t : claimed)
                                    found = found || HasToken(*names, {t});
                                EXPECT_TRUE(found) << where << " \"" << item << "\" writes "
                                                   << fmt::format("{}", fmt::join(*names, "/"))
                                                   << ", not what the caption says";
                            }
                        }
                        if (kFewerValues.count(std::string(c.Name())) && (chosen & ~covered) == 0) {
                            continue;
                        }
                        EXPECT_EQ(fmt::format("{:04X}", chosen),
                                  fmt::format("{:04X}", covered & mask))
                            << where << " chooses other bits than the settings it touches ("
                            << word.name << ")";
                    }
                }
            }
        }
    }
    RecordProperty("parts", parts[PicPageKind::Standard]);
    RecordProperty("pic18_parts", parts[PicPageKind::Pic18]);
    RecordProperty("enhanced_parts", parts[PicPageKind::Enhanced]);
    RecordProperty("controls", controls);
    if (!passedOver.empty()) RecordProperty("passed_over", passedOver);
    EXPECT_GT(parts[PicPageKind::Standard], 80);
    EXPECT_GT(parts[PicPageKind::Pic18], 30);
    EXPECT_GT(parts[PicPageKind::Enhanced], 10);
}

// The reader of settings on a header shaped like an old one, which lists
// every value of the word in one block.
TEST(GputilsPages, SettingsSplitByNameAndKnowTheErasedValue) {
    const fs::path dir = fs::path(::testing::TempDir()) / "karvo-gputils-pages";
    fs::create_directories(dir);
    std::ofstream(dir / "pold.inc") << ";       Configuration Bits\n"
                                       "_CP_ON           EQU  H'3FEF'\n"
                                       "_PWRTE_OFF       EQU  H'3FF7'\n"
                                       "_WDT_OFF         EQU  H'3FFB'\n"
                                       "_LP_OSC          EQU  H'3FFC'\n"
                                       "_FOSC_XT         EQU  H'3FFD'\n"
                                       "_INTOSCIO        EQU  H'3FFE'\n"
                                       "        LIST\n";
    const ConfigSettings header(dir / "pold.inc", "__OLD");
    const auto settings = SettingsOf(header, "CONFIG", 0x3FFF, 0x3FFF);
    std::map<std::string, std::uint32_t> bits;
    for (const Setting& s : settings) bits[s.key] = s.bits;
    EXPECT_EQ(bits, (std::map<std::string, std::uint32_t>{
                        {"CP", 0x10}, {"PWRTE", 0x08}, {"WDT", 0x04}, {"OSC", 0x03}}));
    for (const Setting& s : settings) {
        ASSERT_NE(s.NamesOf(0x3FFF), nullptr) << s.key;
    }
    EXPECT_EQ(Claimed("Power-Up Timer  disabled", true),
              (std::vector<const char*>{"OFF", "DISABLED"}));
    EXPECT_TRUE(Claimed("GP3 = IO", true).empty());
    fs::remove_all(dir);
}

}  // namespace
}  // namespace karvo::test
