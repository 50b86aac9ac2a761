#include <gtest/gtest.h>

#include "EditorRig.h"
#include "editor/CopyDialogModel.h"
#include "editor/FillDialogModel.h"
#include "editor/SearchDialogModel.h"

namespace karvo {
namespace {

using test::DeviceBuilder;
using test::EditorRig;
using Bytes = std::vector<std::uint8_t>;

// ---- Search ----

TEST(SearchDialog, StartsInHexModeAndToggles) {
    SearchDialogModel search;
    EXPECT_TRUE(search.HexMode());
    EXPECT_EQ(search.Label1(), "Search for Hex:");
    EXPECT_EQ(search.HexAsciiCaption(), "Ascii");
    search.ClickHexAscii();
    EXPECT_FALSE(search.HexMode());
    EXPECT_EQ(search.Label1(), "Search for Ascii:");
    EXPECT_EQ(search.HexAsciiCaption(), "Hex");
    search.ClickHexAscii();
    EXPECT_TRUE(search.HexMode());
    EXPECT_EQ(search.Label1(), "Search for Hex:");
}

TEST(SearchDialog, HexPairsBecomeThePattern) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.Put(0x300, {0xAA, 0x54});
    rig.Put(0x400, {0xAA, 0x55});
    SearchDialogModel search;
    search.SetText("aa55");
    const ToolOutcome outcome = search.Find(rig.editor);
    EXPECT_FALSE(outcome.box);
    EXPECT_TRUE(outcome.close);
    EXPECT_EQ(search.Text(), "AA55");
    EXPECT_EQ(rig.editor.SearchPattern(), Bytes({0xAA, 0x55}));
    EXPECT_EQ(rig.editor.SelectedOffset(), 0x400u);
}

TEST(SearchDialog, RefusedHexTextsKeepTheDialogOpen) {
    struct Case {
        const char* text;
        const char* caption;
        const char* box;
    };
    for (const Case c : {Case{"AA5", "Error", "To few charaters in hex string"},
                         Case{"", "Error", "To few charaters in hex string"},
                         Case{"AAZZ", "KARVO Mk2", "''$ZZ'' is not a valid integer value"},
                         Case{"A€", "KARVO Mk2", "''$A€'' is not a valid integer value"},
                         Case{"A ", "KARVO Mk2", "''$A '' is not a valid integer value"}}) {
        EditorRig rig(EditorRig::Eprom(0x10000));
        rig.editor.Select(3, 3);
        SearchDialogModel search;
        search.SetText(c.text);
        const ToolOutcome outcome = search.Find(rig.editor);
        ASSERT_TRUE(outcome.box) << c.text;
        EXPECT_EQ(outcome.box->caption, c.caption) << c.text;
        EXPECT_EQ(outcome.box->text, c.box) << c.text;
        EXPECT_FALSE(outcome.close) << c.text;
        EXPECT_EQ(rig.editor.SelectedOffset(), 0x33u) << c.text;
        EXPECT_TRUE(rig.editor.Again()) << "no pattern was kept for " << c.text;
    }
}

TEST(SearchDialog, TextModeSearchesTheCharacterCodes) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.Put(0x1000, {0x4F, 0x4B});
    SearchDialogModel search;
    search.ClickHexAscii();
    search.SetText("OK");
    EXPECT_FALSE(search.Find(rig.editor).box);
    EXPECT_EQ(rig.editor.SelectedOffset(), 0x1000u);
    search.SetText("é");
    rig.Put(0x2000, {0xE9});
    EXPECT_FALSE(search.Find(rig.editor).box);
    EXPECT_EQ(rig.editor.SelectedOffset(), 0x2000u);
}

TEST(SearchDialog, TextModeRefusesCharactersThatAreNoByte) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.Put(0x1000, {0x41});  // where U+0141 cut to a byte would match
    SearchDialogModel search;
    search.ClickHexAscii();
    search.SetText("Ł");
    const ToolOutcome outcome = search.Find(rig.editor);
    ASSERT_TRUE(outcome.box);
    EXPECT_FALSE(outcome.close);
    EXPECT_EQ(rig.editor.SelectedOffset(), 0u);
}

TEST(SearchDialog, NotFoundClosesTheDialog) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    SearchDialogModel search;
    search.SetText("1234");
    const ToolOutcome outcome = search.Find(rig.editor);
    ASSERT_TRUE(outcome.box);
    EXPECT_EQ(outcome.box->text, "Not Found");
    EXPECT_TRUE(outcome.close);
}

// ---- Fill ----

struct FillDefaults {
    const char* what;
    DeviceRecord device;
    bool words;
    const char* to;
    const char* data;
};

void PrintTo(const FillDefaults& c, std::ostream* out) {
    *out << c.what;
}

class FillOpening : public ::testing::TestWithParam<FillDefaults> {};

TEST_P(FillOpening, ProposesTheDeviceAndItsBlankValue) {
    const FillDefaults& c = GetParam();
    FillDialogModel fill(c.device);
    EXPECT_EQ(fill.From(), "0") << c.what;
    EXPECT_EQ(fill.To(), c.to) << c.what;
    EXPECT_EQ(fill.Data(), c.data) << c.what;
    EXPECT_EQ(fill.WordMode(), c.words) << c.what;
    EXPECT_EQ(fill.DataLength(), c.words ? 4 : 2) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Families, FillOpening,
    ::testing::Values(
        FillDefaults{"EPROM", DeviceBuilder('E', 0x7FFF), false, "00007FFF", "FF"},
        FillDefaults{"8051 blank 00", DeviceBuilder('M', 0xFFF).Blank(0), false, "00000FFF", "00"},
        FillDefaults{"14-bit PIC", DeviceBuilder('C', 0x3FF).Blank(0x3F), true, "000003FF", "3FFF"},
        FillDefaults{"16-bit EPROM", DeviceBuilder('O', 0xFFFF), true, "0000FFFF", "FFFF"},
        FillDefaults{"16-bit memory", DeviceBuilder('Y', 0x1FFFF).Blank(0), true, "0001FFFF",
                     "00FF"}));

TEST(FillDialog, ByteAndWordSetTheirZero) {
    FillDialogModel fill(DeviceBuilder('E', 0xFF));
    fill.ClickWord();
    EXPECT_EQ(fill.Data(), "0000");
    EXPECT_EQ(fill.DataLength(), 4);
    fill.ClickByte();
    EXPECT_EQ(fill.Data(), "00");
    EXPECT_EQ(fill.DataLength(), 2);
    fill.SetData("ab");
    EXPECT_EQ(fill.Data(), "AB");
}

TEST(FillDialog, FillsAndCloses) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    FillDialogModel fill(rig.device);
    fill.ClickWord();
    fill.SetFrom("0");
    fill.SetTo("4");
    fill.SetData("3FFF");
    const ToolOutcome outcome = fill.Ok(rig.editor);
    EXPECT_FALSE(outcome.box);
    EXPECT_TRUE(outcome.close);
    EXPECT_EQ(rig.Bytes(0, 6), Bytes({0x3F, 0xFF, 0x3F, 0xFF, 0x3F, 0xFF}));
}

TEST(FillDialog, RefusalsChangeNothing) {
    struct Case {
        const char* from;
        const char* to;
        const char* data;
        const char* caption;
        const char* text;
        bool close;
    };
    for (const Case c :
         {Case{"1", "0", "00", "Invalid Data", "'To' has to be greater than 'From'", true},
          Case{"0", "FFFFFFFF", "00", "Invalid Data",
               "'To' has to be at most 0000FFFF, the last address of the buffer", false},
          Case{"0", "10000", "00", "Invalid Data",
               "'To' has to be at most 0000FFFF, the last address of the buffer", false},
          Case{"1G", "10", "00", "KARVO Mk2", "''$1G'' is not a valid integer value", false},
          Case{"0", "", "00", "KARVO Mk2", "''$'' is not a valid integer value", false},
          Case{"0", "10", "X1", "KARVO Mk2", "''$X1'' is not a valid integer value", false},
          Case{"0", "123456789", "00", "KARVO Mk2", "''$123456789'' is not a valid integer value",
               false}}) {
        EditorRig rig(EditorRig::Eprom(0x10000));
        FillDialogModel fill(rig.device);
        fill.SetFrom(c.from);
        fill.SetTo(c.to);
        fill.SetData(c.data);
        const ToolOutcome outcome = fill.Ok(rig.editor);
        ASSERT_TRUE(outcome.box) << c.to;
        EXPECT_EQ(outcome.box->caption, c.caption) << c.to;
        EXPECT_EQ(outcome.box->text, c.text) << c.to;
        EXPECT_EQ(outcome.close, c.close) << c.to;
        EXPECT_EQ(rig.Bytes(0, 0x10000), Bytes(0x10000, 0xFF)) << c.to;
    }
}

// ---- Copy and Move ----

TEST(CopyDialog, ProposesTheSelectedByte) {
    const CopyDialogModel copy(CopyForm::Copy, 0x1234);
    EXPECT_STREQ(copy.Caption(), "Copy");
    EXPECT_EQ(copy.BeginAdd(), "00001234");
    EXPECT_EQ(copy.NrBytes(), "0");
    EXPECT_EQ(copy.WhereAdd(), "00000000");
    EXPECT_STREQ(CopyDialogModel(CopyForm::Move, 0).Caption(), "Move");
}

struct OverlapCase {
    const char* source;
    const char* destination;
    bool refused;
};

void PrintTo(const OverlapCase& c, std::ostream* out) {
    *out << c.source << " to " << c.destination;
}

class CopyOverlap : public ::testing::TestWithParam<OverlapCase> {};

TEST_P(CopyOverlap, IsRefusedWhereTheBlocksMeet) {
    const OverlapCase& c = GetParam();
    EditorRig rig(EditorRig::Eprom(0x10000));
    for (std::uint32_t a = 0; a < 0x40; ++a) rig.buffer[a] = static_cast<std::uint8_t>(a);
    const Bytes before = rig.Bytes(0, 0x40);
    CopyDialogModel copy(CopyForm::Copy, 0);
    copy.SetBeginAdd(c.source);
    copy.SetNrBytes("10");
    copy.SetWhereAdd(c.destination);
    const ToolOutcome outcome = copy.CopyClick(rig.editor);
    EXPECT_EQ(outcome.close, !c.refused);
    if (c.refused) {
        ASSERT_TRUE(outcome.box);
        EXPECT_EQ(outcome.box->text, "The adresses are over lapping");
        EXPECT_EQ(rig.Bytes(0, 0x40), before);
    } else {
        EXPECT_FALSE(outcome.box);
    }
}

INSTANTIATE_TEST_SUITE_P(CountOf10, CopyOverlap,
                         ::testing::Values(OverlapCase{"0", "8", true},
                                           // ends exactly where the source begins
                                           OverlapCase{"10", "0", true},
                                           OverlapCase{"0", "10", false},
                                           OverlapCase{"20", "0", false},
                                           OverlapCase{"0", "0", true}));

TEST(MoveDialog, LeavesTheReplaceValueBehind) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.Put(0x100, {1, 2, 3, 4});
    CopyDialogModel move(CopyForm::Move, 0x100);
    move.SetNrBytes("4");
    move.SetWhereAdd("0");
    move.SetReplaceEd("FF");
    rig.buffer[0x100] = 0x11;
    EXPECT_FALSE(move.MoveClick(rig.editor).box);
    EXPECT_EQ(rig.Bytes(0, 4), Bytes({0x11, 2, 3, 4}));
    EXPECT_EQ(rig.Bytes(0x100, 4), Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(MoveDialog, MovesWithoutReplacingAndWithoutAnOverlapTest) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.Put(0x100, {1, 2, 3, 4});
    CopyDialogModel move(CopyForm::Move, 0x100);
    move.SetNrBytes("4");
    move.SetWhereAdd("102");
    EXPECT_FALSE(move.MoveClick(rig.editor).box);
    EXPECT_EQ(rig.Bytes(0x100, 6), Bytes({1, 2, 1, 2, 3, 4}));
}

TEST(MoveDialog, RefusalsComeBeforeAnyByteMoves) {
    struct Case {
        const char* count;
        const char* destination;
        const char* replace;
        const char* text;
    };
    for (const Case c :
         {Case{"4", "0", "F", "Replace Value need two Hex Values "},
          Case{"4", "0", "FFF", "Replace Value need two Hex Values "},
          Case{"4", "0", "ZZ", "''$ZZ'' is not a valid integer value"},
          Case{"4", "FFFE", "00",
               "The destination 0000FFFE .. 00010001 does not fit in the buffer, which ends at "
               "0000FFFF; nothing was changed"},
          Case{"G", "0", "00", "''$G'' is not a valid integer value"}}) {
        EditorRig rig(EditorRig::Eprom(0x10000));
        rig.Put(0x100, {1, 2, 3, 4});
        const Bytes before = rig.Bytes(0, 0x10000);
        CopyDialogModel move(CopyForm::Move, 0x100);
        move.SetNrBytes(c.count);
        move.SetWhereAdd(c.destination);
        move.SetReplaceEd(c.replace);
        const ToolOutcome outcome = move.MoveClick(rig.editor);
        ASSERT_TRUE(outcome.box) << c.text;
        EXPECT_EQ(outcome.box->text, c.text);
        EXPECT_FALSE(outcome.close) << c.text;
        EXPECT_EQ(rig.Bytes(0, 0x10000), before) << c.text;
        EXPECT_FALSE(rig.editor.CanUndo()) << c.text;
    }
}

TEST(CopyDialog, ASourcePastTheEndIsRefusedNotCut) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    CopyDialogModel copy(CopyForm::Copy, 0xFFF8);
    copy.SetNrBytes("10");
    copy.SetWhereAdd("0");
    const ToolOutcome outcome = copy.CopyClick(rig.editor);
    ASSERT_TRUE(outcome.box);
    EXPECT_EQ(outcome.box->caption, "Invalid Data");
    EXPECT_FALSE(outcome.close);
    EXPECT_EQ(rig.Bytes(0, 0x10), Bytes(0x10, 0xFF));
}

}  // namespace
}  // namespace karvo
