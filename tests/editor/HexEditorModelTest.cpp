#include <fmt/format.h>
#include <gtest/gtest.h>

#include "EditorRig.h"

namespace karvo {
namespace {

using test::DeviceBuilder;
using test::EditorRig;
using Bytes = std::vector<std::uint8_t>;

struct SizeCase {
    const char* what;
    DeviceRecord device;
    std::uint32_t available;
};

void PrintTo(const SizeCase& c, std::ostream* out) {
    *out << c.what;
}

class WindowSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(WindowSize, FollowsTheDeviceAndTheBuffer) {
    const SizeCase& c = GetParam();
    EditorRig rig(c.device);
    EXPECT_EQ(rig.buffer.Available, c.available) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Devices, WindowSize,
    ::testing::Values(
        SizeCase{"2 KB EPROM: at least 4096", DeviceBuilder('E', 0x7FF), 0x1000},
        SizeCase{"64 KiB EPROM", DeviceBuilder('E', 0xFFFF), 0x10000},
        SizeCase{"1 MiB EPROM", DeviceBuilder('E', 0xFFFFF), 0x100000},
        SizeCase{"AVR code and data EEPROM", DeviceBuilder('M', 0x1FFF).Eeprom(0x200), 0x2200},
        SizeCase{"EEPROM of another family is not added", DeviceBuilder('E', 0x1FFF).Eeprom(0x200),
                 0x2000},
        SizeCase{"PIC: the whole 64 KiB layout", DeviceBuilder('C', 0x3FF), 0x10000},
        SizeCase{"enhanced PIC", DeviceBuilder('C', 0x3FFF).ConfigType(0x2E), 0x20000},
        SizeCase{"PIC18", DeviceBuilder('C', 0x7FFF).Algorithm(18).ConfigType(0x2E), 0x100000},
        SizeCase{"16-bit EPROM: its words' bytes", DeviceBuilder('O', 0xFFFF), 0x10000}));

TEST(WindowSize, NeverMoreThanAllocated) {
    EXPECT_EQ(EditorWindowSize(DeviceBuilder('C', 0x7FFF).Algorithm(18), 0x20000), 0x20000u);
    EXPECT_EQ(EditorWindowSize(DeviceBuilder('E', 0x7FF), 0x800), 0x800u);
    // A size that would wrap in 32 bits stays at what is allocated.
    EXPECT_EQ(EditorWindowSize(DeviceBuilder('M', 0xFFFFFFFF).Eeprom(0x200), 0x20000), 0x20000u);
}

TEST(Open, ShowsPageZeroAndTheLastChecksumWithoutSumming) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.buffer.ChecksumTotal = 0x1ABCD;
    rig.editor.Open();
    EXPECT_EQ(rig.editor.CsumText(), "0xABCD");
    EXPECT_EQ(rig.checksum.calls, 0);
    EXPECT_EQ(rig.editor.CurrAdd(), "00000000");
    EXPECT_EQ(rig.editor.AddressCell(15), "000000F0");
    EXPECT_EQ(rig.editor.ScrollMaximum(), 0x1000 - 16);
}

// ---- typing ----

TEST(TypeHex, TwoDigitsStoreAByteAndMoveOneCell) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    EXPECT_EQ(rig.TypeHex("3"), "");
    EXPECT_EQ(rig.buffer[0], 0x3F);  // the first digit replaced the high one of FF
    EXPECT_EQ(rig.editor.NibblePosition(), 2);
    EXPECT_EQ(rig.editor.SelectedCol(), 0);
    EXPECT_EQ(rig.TypeHex("f"), "");
    EXPECT_EQ(rig.buffer[0], 0x3F);
    EXPECT_EQ(rig.editor.HexCell(0, 0), "3F");
    EXPECT_EQ(rig.editor.AsciiCell(0, 0), "?");
    EXPECT_EQ(rig.editor.SelectedCol(), 1);
    EXPECT_EQ(rig.editor.NibblePosition(), 1);
    EXPECT_EQ(rig.editor.CurrAdd(), "00000001");
    // 0xFFFF bytes of FF and one 3F: 0xFEFF40.
    EXPECT_EQ(rig.editor.CsumText(), "0xFF40");
}

TEST(TypeHex, RefusedCharactersChangeNothing) {
    for (const char* typed : {"G", " ", "z", "€", "é"}) {
        EditorRig rig(EditorRig::Eprom(0x10000));
        rig.TypeHex("a");
        const int sums = rig.checksum.calls;
        EXPECT_EQ(rig.TypeHex(typed), std::string("This isn't a valid hex value: ") + typed);
        EXPECT_EQ(rig.buffer[0], 0xAF) << typed;
        EXPECT_EQ(rig.editor.NibblePosition(), 2) << typed;
        EXPECT_EQ(rig.checksum.calls, sums) << typed;
    }
}

TEST(TypeHex, TheBoxIsAnError) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    const auto box = rig.editor.TypeHex(U'G');
    ASSERT_TRUE(box);
    EXPECT_EQ(box->kind, BoxKind::Error);
    EXPECT_EQ(box->caption, "Error");
}

TEST(TypeHex, FromTheLastCellOfAPageTheViewScrollsOneRow) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.editor.Select(15, 15);
    rig.TypeHex("12");
    EXPECT_EQ(rig.buffer[0xFF], 0x12);
    EXPECT_EQ(rig.editor.PageStart(), 0x10u);
    EXPECT_EQ(rig.editor.SelectedRow(), 15);
    EXPECT_EQ(rig.editor.SelectedCol(), 0);
    EXPECT_EQ(rig.editor.SelectedOffset(), 0x100u);
}

TEST(TypeHex, TheLastByteOfTheBufferStaysSelected) {
    EditorRig rig(EditorRig::Eprom(0x1000));
    rig.TypeAddress("FFFFFFFF");
    rig.editor.Select(15, 15);
    rig.TypeHex("0102");
    EXPECT_EQ(rig.buffer[0xFFF], 0x02);
    EXPECT_EQ(rig.buffer[0x1000], 0xFF);  // past the editor's end: never written
    EXPECT_EQ(rig.editor.SelectedOffset(), 0xFFFu);
}

TEST(TypeAscii, StoresTheCharacterCode) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    EXPECT_EQ(rig.TypeAscii("A"), "");
    EXPECT_EQ(rig.buffer[0], 0x41);
    EXPECT_EQ(rig.editor.HexCell(0, 0), "41");
    EXPECT_EQ(rig.editor.SelectedCol(), 1);
    EXPECT_EQ(rig.TypeAscii("é"), "");  // Latin-1 is a byte
    EXPECT_EQ(rig.buffer[1], 0xE9);
}

TEST(TypeAscii, CharactersBeyondLatin1AreRefusedNotCut) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    // U+0141 would be 0x41 if cut to a byte.
    EXPECT_EQ(rig.TypeAscii("Ł"), "This isn't a valid hex value: Ł");
    EXPECT_EQ(rig.buffer[0], 0xFF);
    EXPECT_EQ(rig.editor.SelectedCol(), 0);
}

TEST(AsciiBlock, ShowsOnlySpaceToLowerZ) {
    struct Case {
        std::uint8_t byte;
        char shown;
    };
    for (const Case c : {Case{0x7B, '.'}, Case{0x7A, 'z'}, Case{0x20, ' '}, Case{0x1F, '.'},
                         Case{0x7F, '.'}, Case{0xE9, '.'}, Case{0x41, 'A'}}) {
        EXPECT_EQ(HexEditorModel::AsciiOf(c.byte), c.shown) << int{c.byte};
    }
}

// ---- keys ----

struct KeyCase {
    const char* what;
    std::uint32_t page;
    int row;
    int col;
    EditorKey key;
    std::uint32_t wantPage;
    int wantRow;
    int wantCol;
};

void PrintTo(const KeyCase& c, std::ostream* out) {
    *out << c.what;
}

class Keys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(Keys, MoveAsAGridDoes) {
    const KeyCase& c = GetParam();
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.editor.ScrollTo(static_cast<int>(c.page / 16));
    rig.editor.Select(c.row, c.col);
    rig.editor.Key(c.key);
    EXPECT_EQ(rig.editor.PageStart(), c.wantPage) << c.what;
    EXPECT_EQ(rig.editor.SelectedRow(), c.wantRow) << c.what;
    EXPECT_EQ(rig.editor.SelectedCol(), c.wantCol) << c.what;
    EXPECT_EQ(rig.editor.ScrollPosition(), static_cast<int>(c.wantPage / 16)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Grid, Keys,
    ::testing::Values(
        KeyCase{"Page Down", 0, 3, 4, EditorKey::PageDown, 0x100, 3, 4},
        KeyCase{"Page Down on the last page", 0xFF00, 3, 4, EditorKey::PageDown, 0xFF00, 3, 4},
        KeyCase{"Page Down near the end stops at the last page", 0xFE80, 0, 0, EditorKey::PageDown,
                0xFF00, 0, 0},
        KeyCase{"Page Up", 0x200, 1, 1, EditorKey::PageUp, 0x100, 1, 1},
        KeyCase{"Page Up on page 0", 0, 1, 1, EditorKey::PageUp, 0, 1, 1},
        KeyCase{"Page Up less than a page from the start", 0x80, 1, 1, EditorKey::PageUp, 0, 1, 1},
        KeyCase{"Up on row 0 of page 0", 0, 0, 5, EditorKey::Up, 0, 0, 5},
        KeyCase{"Up on row 0 scrolls a row", 0x100, 0, 5, EditorKey::Up, 0xF0, 0, 5},
        KeyCase{"Up inside the page", 0x100, 7, 5, EditorKey::Up, 0x100, 6, 5},
        KeyCase{"Down on row 15 scrolls a row", 0, 15, 2, EditorKey::Down, 0x10, 15, 2},
        KeyCase{"Down on row 15 of the last page", 0xFF00, 15, 2, EditorKey::Down, 0xFF00, 15, 2},
        KeyCase{"Left stops at column 0", 0, 4, 0, EditorKey::Left, 0, 4, 0},
        KeyCase{"Right stops at column 15", 0, 4, 15, EditorKey::Right, 0, 4, 15},
        KeyCase{"Right", 0, 4, 3, EditorKey::Right, 0, 4, 4},
        KeyCase{"Home", 0x4000, 9, 9, EditorKey::Home, 0, 0, 0}));

TEST(Keys, EndTheTypingOfAByte) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.TypeHex("1");
    rig.editor.Key(EditorKey::Other);
    EXPECT_EQ(rig.editor.NibblePosition(), 1);
    rig.TypeHex("2");
    EXPECT_EQ(rig.buffer[0], 0x2F);  // the high digit again, not the low one
}

TEST(ScrollBar, ShowsThePageOfItsRow) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.editor.Select(2, 3);
    rig.editor.ScrollTo(0x123);
    EXPECT_EQ(rig.editor.PageStart(), 0x1230u);
    EXPECT_EQ(rig.editor.CurrAdd(), "00001253");
    rig.editor.ScrollTo(0x7FFFFFFF);
    EXPECT_EQ(rig.editor.PageStart(), 0xFF00u);
    rig.editor.ScrollTo(-5);
    EXPECT_EQ(rig.editor.PageStart(), 0u);
}

// ---- the address box ----

struct AddressCase {
    const char* what;
    std::uint32_t available;
    const char* typed;
    int caret;
    const char* box;
    std::uint32_t page;
    int row;
};

void PrintTo(const AddressCase& c, std::ostream* out) {
    *out << c.what;
}

class AddressBox : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AddressBox, JumpsToTheRowOfTheTypedAddress) {
    const AddressCase& c = GetParam();
    EditorRig rig(EditorRig::Eprom(c.available));
    rig.TypeAddress(c.typed, c.caret);
    EXPECT_EQ(rig.editor.CurrAdd(), c.box) << c.what;
    EXPECT_EQ(rig.editor.PageStart(), c.page) << c.what;
    EXPECT_EQ(rig.editor.SelectedRow(), c.row) << c.what;
    EXPECT_EQ(rig.editor.SelectedCol(), 0) << c.what;
    EXPECT_EQ(rig.editor.ScrollPosition(), static_cast<int>(c.page / 16)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, AddressBox,
    ::testing::Values(
        AddressCase{"64 KiB, 00001234", 0x10000, "00001234", 0, "00001230", 0x1230, 0},
        AddressCase{"64 KiB, FFFFFFFF", 0x10000, "FFFFFFFF", 0, "0000FFF0", 0xFF00, 15},
        AddressCase{"64 KiB, inside the last page", 0x10000, "0000FF4", 0, "0000FF40", 0xFF00, 4},
        // Masking with the size - 16 sent 1000 to page 0 here.
        AddressCase{"0x2200 bytes, 1000 typed at the caret", 0x2200, "1", 4, "00001000", 0x1000, 0},
        AddressCase{"0x2200 bytes, 00001000", 0x2200, "00001000", 0, "00001000", 0x1000, 0},
        AddressCase{"0x2200 bytes, FFFFFFFF", 0x2200, "FFFFFFFF", 0, "000021F0", 0x2100, 15},
        AddressCase{"a letter that is no digit only jumps", 0x10000, "x", 0, "00000000", 0, 0},
        AddressCase{"no ninth digit", 0x10000, "000012345", 0, "00001230", 0x1230, 0}));

TEST(AddressBox, AWholeNumberOfRowsIsNotNeeded) {
    // 0x1008 bytes: the last page starts off the row grid, and the last row
    // holds eight bytes.
    EditorRig rig(DeviceBuilder('M', 0xFFF).Eeprom(8));
    ASSERT_EQ(rig.buffer.Available, 0x1008u);
    rig.TypeAddress("FFFFFFFF");
    EXPECT_EQ(rig.editor.CurrAdd(), "00001000");
    EXPECT_EQ(rig.editor.PageStart(), 0xF08u);
    EXPECT_EQ(rig.editor.SelectedOffset(), 0x1000u);
    EXPECT_EQ(rig.editor.HexCell(15, 15), "FF");
    rig.editor.Key(EditorKey::PageDown);
    EXPECT_EQ(rig.editor.PageStart(), 0xF08u);
}

// ---- search ----

TEST(Search, FindsTheFirstMatchAndAgainTheNext) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.Put(0x1234, {0xAA, 0x55});
    rig.Put(0x8001, {0xAA, 0x55});
    EXPECT_FALSE(rig.editor.Find({0xAA, 0x55}));
    EXPECT_EQ(rig.editor.PageStart(), 0x1230u);
    EXPECT_EQ(rig.editor.SelectedRow(), 0);
    EXPECT_EQ(rig.editor.SelectedCol(), 4);
    EXPECT_FALSE(rig.editor.Again());
    EXPECT_EQ(rig.editor.SelectedOffset(), 0x8001u);
    // None after it: the box, and the last byte selected.
    const auto box = rig.editor.Again();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Not Found");
    EXPECT_EQ(box->kind, BoxKind::Information);
    EXPECT_EQ(rig.editor.PageStart(), 0xFF00u);
    EXPECT_EQ(rig.editor.SelectedRow(), 15);
    EXPECT_EQ(rig.editor.SelectedCol(), 15);
    // From the last byte, Again wraps to the start.
    EXPECT_FALSE(rig.editor.Again());
    EXPECT_EQ(rig.editor.SelectedOffset(), 0x1234u);
}

TEST(Search, AMatchOnTheLastPageSelectsItsRow) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.Put(0xFFA7, {0x12});
    EXPECT_FALSE(rig.editor.Find({0x12}));
    EXPECT_EQ(rig.editor.PageStart(), 0xFF00u);
    EXPECT_EQ(rig.editor.SelectedRow(), 10);
    EXPECT_EQ(rig.editor.SelectedCol(), 7);
}

TEST(Search, AgainAfterAMatchAtTheLastByteStartsAtZero) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.Put(0xFFFF, {0x00});
    rig.Put(0x0010, {0x00});
    EXPECT_FALSE(rig.editor.Find({0x00}));
    EXPECT_EQ(rig.editor.SelectedOffset(), 0x10u);
    EXPECT_FALSE(rig.editor.Again());
    EXPECT_EQ(rig.editor.SelectedOffset(), 0xFFFFu);
    EXPECT_FALSE(rig.editor.Again());
    EXPECT_EQ(rig.editor.SelectedOffset(), 0x10u);
}

TEST(Search, AMatchMustLieWhollyInsideTheEditor) {
    EditorRig rig(EditorRig::Eprom(0x1000));
    rig.Put(0xFFF, {0x12, 0x34});  // the 0x34 is past the editor's end
    EXPECT_TRUE(rig.editor.Find({0x12, 0x34}));
}

TEST(Search, PatternsThatCannotMatchLeaveTheViewAlone) {
    EditorRig rig(EditorRig::Eprom(0x1000));
    rig.editor.ScrollTo(5);
    rig.editor.Select(3, 3);
    // Again before any Find, an empty pattern, one longer than the buffer.
    for (int i = 0; i < 3; ++i) {
        const auto box = i == 0   ? rig.editor.Again()
                         : i == 1 ? rig.editor.Find({})
                                  : rig.editor.Find(Bytes(0x1001, 0xFF));
        ASSERT_TRUE(box) << i;
        EXPECT_EQ(box->text, "Not Found") << i;
        EXPECT_EQ(rig.editor.PageStart(), 0x50u) << i;
        EXPECT_EQ(rig.editor.SelectedOffset(), 0x83u) << i;
        EXPECT_TRUE(rig.editor.Again()) << i;
        EXPECT_EQ(rig.editor.SelectedOffset(), 0x83u) << i;
    }
}

// ---- fill ----

TEST(Fill, BytesAndWords) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    EXPECT_FALSE(rig.editor.Fill(0x10, 0x1F, 0x00, false));
    EXPECT_EQ(rig.Bytes(0x0F, 18),
              Bytes({0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF}));
    EXPECT_FALSE(rig.editor.Fill(0, 4, 0x3FFF, true));
    EXPECT_EQ(rig.Bytes(0, 6), Bytes({0x3F, 0xFF, 0x3F, 0xFF, 0x3F, 0xFF}));
    EXPECT_FALSE(rig.editor.Fill(0x20, 0x20, 0x1234, true));
    EXPECT_EQ(rig.Bytes(0x1F, 3), Bytes({0x00, 0x12, 0xFF}));
    EXPECT_FALSE(rig.editor.Fill(0, 0xFFFF, 0xA5, false));
    EXPECT_EQ(rig.buffer[0xFFFF], 0xA5);
    EXPECT_EQ(rig.buffer.ComputeChecksum(rig.device), 0x10000u * 0xA5);
    EXPECT_EQ(rig.editor.CsumText(), fmt::format("0x{:04X}", (0x10000u * 0xA5) & 0xFFFF));
}

TEST(Fill, ShowsPageZeroAfterwards) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.editor.ScrollTo(0x300);
    rig.editor.Select(4, 4);
    EXPECT_FALSE(rig.editor.Fill(0x3000, 0x3001, 0, false));
    EXPECT_EQ(rig.editor.PageStart(), 0u);
    EXPECT_EQ(rig.editor.SelectedOffset(), 0u);
}

TEST(Fill, RangesOutsideTheBufferAreRefusedUnchanged) {
    struct Case {
        std::uint32_t from;
        std::uint32_t to;
        const char* text;
    };
    for (const Case c :
         {Case{1, 0, "'To' has to be greater than 'From'"},
          Case{0, 0x10000, "'To' has to be at most 0000FFFF, the last address of the buffer"},
          Case{0, 0xFFFFFFFF, "'To' has to be at most 0000FFFF, the last address of the buffer"},
          Case{0x20000, 0x20001,
               "'To' has to be at most 0000FFFF, the last address of the buffer"}}) {
        EditorRig rig(EditorRig::Eprom(0x10000));
        const auto box = rig.editor.Fill(c.from, c.to, 0, false);
        ASSERT_TRUE(box) << c.to;
        EXPECT_EQ(box->caption, "Invalid Data");
        EXPECT_EQ(box->text, c.text);
        EXPECT_EQ(rig.Bytes(0, 0x10000), Bytes(0x10000, 0xFF)) << c.to;
        EXPECT_FALSE(rig.editor.CanUndo());
    }
}

// ---- copy and move ----

TEST(CopyBlock, CopiesAndShowsTheDestination) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.Put(0x100, {1, 2, 3, 4});
    EXPECT_FALSE(rig.editor.CopyBlock(0x100, 4, 0x2345, std::nullopt));
    EXPECT_EQ(rig.Bytes(0x2345, 4), Bytes({1, 2, 3, 4}));
    EXPECT_EQ(rig.Bytes(0x100, 4), Bytes({1, 2, 3, 4}));
    EXPECT_EQ(rig.editor.PageStart(), 0x2340u);
    EXPECT_EQ(rig.editor.SelectedOffset(), 0x2340u);
    EXPECT_FALSE(rig.editor.CopyBlock(0x100, 4, 0xFFFC, std::nullopt));
    EXPECT_EQ(rig.editor.PageStart(), 0xFF00u);
}

TEST(CopyBlock, MoveLeavesTheReplaceValueBehind) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.Put(0x100, {1, 2, 3, 4});
    EXPECT_FALSE(rig.editor.CopyBlock(0x100, 4, 0, std::uint8_t{0xEE}));
    EXPECT_EQ(rig.Bytes(0, 4), Bytes({1, 2, 3, 4}));
    EXPECT_EQ(rig.Bytes(0x100, 4), Bytes({0xEE, 0xEE, 0xEE, 0xEE}));
}

TEST(CopyBlock, AnOverlappingMoveTakesTheBytesAsTheyWere) {
    for (const std::uint32_t destination : {0x102u, 0xFEu, 0x100u}) {
        EditorRig rig(EditorRig::Eprom(0x10000));
        rig.Put(0x100, {1, 2, 3, 4});
        EXPECT_FALSE(rig.editor.CopyBlock(0x100, 4, destination, std::uint8_t{0}));
        EXPECT_EQ(rig.Bytes(destination, 4), Bytes({1, 2, 3, 4})) << destination;
        // Whatever of the source the block did not land on holds the value.
        for (std::uint32_t a = 0x100; a < 0x104; ++a) {
            if (a < destination || a >= destination + 4) {
                EXPECT_EQ(rig.buffer[a], 0) << a;
            }
        }
    }
}

TEST(CopyBlock, BlocksThatDoNotFitAreRefusedUnchanged) {
    struct Case {
        std::uint32_t source;
        std::uint32_t count;
        std::uint32_t destination;
        const char* text;
    };
    for (const Case c : {Case{0xFFF0, 0x20, 0,
                              "The source 0000FFF0 .. 0001000F does not fit in the buffer, "
                              "which ends at 0000FFFF; nothing was changed"},
                         Case{0, 0x20, 0xFFF0,
                              "The destination 0000FFF0 .. 0001000F does not fit in the "
                              "buffer, which ends at 0000FFFF; nothing was changed"},
                         Case{0x10000, 0, 0,
                              "The source 00010000 does not fit in the buffer, which ends at "
                              "0000FFFF; nothing was changed"},
                         Case{0, 0xFFFFFFFF, 0x10,
                              "The source 00000000 .. FFFFFFFE does not fit in the buffer, "
                              "which ends at 0000FFFF; nothing was changed"}}) {
        for (const auto replace : {std::optional<std::uint8_t>(), std::optional<std::uint8_t>(0)}) {
            EditorRig rig(EditorRig::Eprom(0x10000));
            rig.Put(0xFFF0, {1, 2, 3});
            const Bytes before = rig.Bytes(0, 0x10000);
            const auto box = rig.editor.CopyBlock(c.source, c.count, c.destination, replace);
            ASSERT_TRUE(box);
            EXPECT_EQ(box->caption, "Invalid Data");
            EXPECT_EQ(box->text, c.text);
            EXPECT_EQ(rig.Bytes(0, 0x10000), before);
        }
    }
}

// ---- undo ----

TEST(Undo, TypingIsUndoneAByteAtATimeWithTheChecksum) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.TypeHex("3f12");
    EXPECT_EQ(rig.Bytes(0, 2), Bytes({0x3F, 0x12}));
    EXPECT_TRUE(rig.editor.Undo());
    EXPECT_EQ(rig.Bytes(0, 2), Bytes({0x3F, 0xFF}));
    EXPECT_EQ(rig.editor.SelectedOffset(), 1u);
    EXPECT_TRUE(rig.editor.Undo());
    EXPECT_EQ(rig.Bytes(0, 2), Bytes({0xFF, 0xFF}));
    EXPECT_EQ(rig.editor.CsumText(), "0x0000");  // 0x10000 × FF
    EXPECT_FALSE(rig.editor.Undo());
    EXPECT_TRUE(rig.editor.Redo());
    EXPECT_TRUE(rig.editor.Redo());
    EXPECT_EQ(rig.Bytes(0, 2), Bytes({0x3F, 0x12}));
    EXPECT_FALSE(rig.editor.Redo());
}

TEST(Undo, AHalfTypedByteIsUndoneToo) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.TypeHex("1");
    EXPECT_TRUE(rig.editor.Undo());
    EXPECT_EQ(rig.buffer[0], 0xFF);
    EXPECT_EQ(rig.editor.NibblePosition(), 1);
}

TEST(Undo, FillCopyAndMoveComeBackExactly) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    for (std::uint32_t a = 0; a < 0x10000; ++a) rig.buffer[a] = static_cast<std::uint8_t>(a * 7);
    const Bytes original = rig.Bytes(0, 0x10000);
    ASSERT_FALSE(rig.editor.Fill(0x100, 0x8FFF, 0x1234, true));
    ASSERT_FALSE(rig.editor.CopyBlock(0x10, 0x400, 0x200, std::nullopt));
    ASSERT_FALSE(rig.editor.CopyBlock(0x8000, 0x1000, 0x8800, std::uint8_t{0x5A}));
    const Bytes edited = rig.Bytes(0, 0x10000);
    EXPECT_TRUE(rig.editor.Undo());
    EXPECT_EQ(rig.editor.PageStart(), 0x8800u);  // where the undone move landed
    EXPECT_TRUE(rig.editor.Undo());
    EXPECT_TRUE(rig.editor.Undo());
    EXPECT_EQ(rig.Bytes(0, 0x10000), original);
    EXPECT_EQ(rig.editor.CsumText(),
              fmt::format("0x{:04X}", rig.buffer.ComputeChecksum(rig.device) & 0xFFFF));
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(rig.editor.Redo());
    EXPECT_EQ(rig.Bytes(0, 0x10000), edited);
}

TEST(Undo, ANewChangeEndsRedo) {
    EditorRig rig(EditorRig::Eprom(0x10000));
    rig.TypeHex("12");
    rig.editor.Undo();
    rig.TypeAscii("A");
    EXPECT_FALSE(rig.editor.CanRedo());
    EXPECT_TRUE(rig.editor.Undo());
    EXPECT_FALSE(rig.editor.CanUndo());
}

TEST(Undo, OldChangesGoBeyondTheBudget) {
    const std::uint32_t size = 0x200000;
    EditorRig rig(EditorRig::Eprom(size));
    const int fills = static_cast<int>(UndoHistory::kBudget / size) + 3;
    for (int i = 0; i < fills; ++i) {
        ASSERT_FALSE(rig.editor.Fill(0, size - 1, static_cast<std::uint16_t>(i), false));
    }
    EXPECT_LE(rig.editor.History().KeptBytes(), UndoHistory::kBudget);
    int undone = 0;
    while (rig.editor.Undo()) ++undone;
    EXPECT_EQ(undone, static_cast<int>(UndoHistory::kBudget / size));
}

TEST(Utf8, RoundTripsAndKeepsStrayBytes) {
    const std::vector<char32_t> chars = {U'A', U'é', U'€', U'😀'};
    std::string text;
    for (const char32_t c : chars) text += Utf8Of(c);
    EXPECT_EQ(CharactersOf(text), chars);
    EXPECT_EQ(CharactersOf("\xFF\xC3"), (std::vector<char32_t>{0xFF, 0xC3}));
}

}  // namespace
}  // namespace karvo
