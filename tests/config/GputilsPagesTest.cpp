// The pages against gputils' device headers: for every shipped part a page
// serves, each shown control chooses exactly the bits of the settings it
// touches, every choice writes a value the header offers for them, and the
// polarity its caption claims is the one the header's names give.
#include <gtest/gtest.h>

#include <array>
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
        if (EndsWith(c, "enabled") || EndsWith(c, "enable")) return {"ON", "ALL"};
        if (EndsWith(c, "disabled") || EndsWith(c, " off")) return {"OFF"};
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

// The words a choice leaves, from the part's erased (masked) words.
std::array<std::uint32_t, 2> WordsAfter(const DeviceRecord& part, std::string_view writes,
                                        int choice) {
    ConfigRig rig(part);
    for (int n = 1; n <= 2; ++n) {
        const std::size_t i = 2 * static_cast<std::size_t>(n - 1);
        rig.PutWord(n,
                    static_cast<std::uint16_t>((part.ConfigMask(i) << 8) | part.ConfigMask(i + 1)));
    }
    config::PicAreaStore store(rig.buffer, part, rig.Config());
    config::ApplyWrites(writes, choice, store);
    return {rig.Word(1), rig.Word(2)};
}

TEST(GputilsPages, EveryShownControlAgreesWithTheHeaderOfItsPart) {
    if (!fs::is_directory(kGputils / "header")) {
        GTEST_SKIP() << kGputils << " is absent; install gputils to compare with it";
    }
    const auto file = DeviceDataFile::Open(std::string(KARVO_BIN_DIR) + "/KARVO_m.usb");
    ASSERT_TRUE(file);
    int parts = 0;
    int controls = 0;
    std::string passedOver;
    for (std::size_t m = 0; m < file->Manufacturers().size(); ++m) {
        for (std::size_t d = 0; d < file->Manufacturers()[m].deviceCount; ++d) {
            const auto part = file->Record(m, d);
            if (!part || PicPageKindFor(*part) != PicPageKind::Standard) continue;
            const std::string name = part->DevName();
            const PartFiles files = FilesFor(kGputils, name);
            if (!fs::exists(files.header)) {
                passedOver += passedOver.empty() ? name : ", " + name;
                continue;
            }
            const ConfigSettings header(files.header, files.symbol);
            const std::uint32_t erased = (std::uint32_t{part->BlankValue()} << 8) | 0xFF;
            std::array<std::vector<Setting>, 2> words;
            for (const std::string& word : header.Words()) {
                const std::size_t n = word == "CONFIG" || word == "CONFIG1" ? 0
                                      : word == "CONFIG2"                   ? 1
                                                                            : 2;
                ASSERT_LT(n, 2u) << name << " has settings in " << word;
                const auto mask = static_cast<std::uint32_t>((part->ConfigMask(2 * n) << 8) |
                                                             part->ConfigMask(2 * n + 1));
                words[n] = SettingsOf(header, word, erased, mask);
            }
            ConfigRig rig(*part);
            rig.Open();
            ++parts;
            for (const auto& page : rig.model.Pages()) {
                for (const auto& c : page.controls) {
                    if (!c.visible || !c.enabled || c.Kind() == config::ControlKind::Group)
                        continue;
                    ++controls;
                    const std::string where = fmt::format("{} {}", name, c.Name());
                    std::vector<std::array<std::uint32_t, 2>> after;
                    for (int choice = 0; choice < c.Choices(); ++choice) {
                        after.push_back(WordsAfter(*part, c.writes, choice));
                    }
                    for (std::size_t n = 0; n < 2; ++n) {
                        const std::uint32_t mask = static_cast<std::uint32_t>(
                            (part->ConfigMask(2 * n) << 8) | part->ConfigMask(2 * n + 1));
                        std::uint32_t chosen = 0;
                        for (const auto& w : after) chosen |= (w[n] ^ after[0][n]) & mask;
                        if (chosen == 0) continue;
                        std::uint32_t covered = 0;
                        for (const Setting& s : words[n]) {
                            if ((s.bits & chosen) == 0) continue;
                            covered |= s.bits;
                            for (int choice = 0; choice < c.Choices(); ++choice) {
                                const std::string item =
                                    c.Kind() == config::ControlKind::CheckBox
                                        ? (choice ? "checked" : "unchecked")
                                        : c.items[static_cast<std::size_t>(choice)];
                                // Items standing for a code the part lacks are written as listed.
                                if (item.find("invalid") != std::string::npos) continue;
                                const std::uint32_t w = after[static_cast<std::size_t>(choice)][n];
                                const std::set<std::string>* names = s.NamesOf(w);
                                if (names == nullptr) {
                                    ADD_FAILURE()
                                        << where << " \"" << item << "\" writes "
                                        << fmt::format("{:04X}", w) << ", which no value of "
                                        << s.key << " has in bits "
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
                        EXPECT_EQ(fmt::format("{:04X}", chosen),
                                  fmt::format("{:04X}", covered & mask))
                            << where << " chooses other bits than the settings it touches (word "
                            << n + 1 << ")";
                    }
                }
            }
        }
    }
    RecordProperty("parts", parts);
    RecordProperty("controls", controls);
    if (!passedOver.empty()) RecordProperty("passed_over", passedOver);
    EXPECT_GT(parts, 80);
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
    EXPECT_EQ(Claimed("Power-Up Timer  disabled", true), (std::vector<const char*>{"OFF"}));
    EXPECT_TRUE(Claimed("GP3 = IO", true).empty());
    fs::remove_all(dir);
}

}  // namespace
}  // namespace karvo::test
