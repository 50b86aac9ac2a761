#include "editor/HexEditorModel.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include <fmt/format.h>

#include "buffer/HexText.h"
#include "catalogue/ChipFacts.h"
#include "editor/Utf8.h"

namespace karvo {

namespace {

constexpr std::uint32_t kLeastWindow = 4096;
constexpr std::uint32_t kRowBytes = 16;

int DigitOf(char32_t c) {
    return c < 0x80 ? hex_detail::kDigit[static_cast<std::uint8_t>(c)] : -1;
}

EditorBox NotFoundBox() {
    return {BoxKind::Information, kEditorInformationCaption, "Not Found"};
}

// The first offset from start at which the pattern lies wholly inside the
// first `size` bytes.
std::optional<std::uint32_t> FindPattern(const std::uint8_t* data, std::uint32_t size,
                                         std::uint32_t start,
                                         const std::vector<std::uint8_t>& pattern) {
    const std::size_t n = pattern.size();
    if (n == 0 || n > size || start > size - n) return std::nullopt;
    const std::uint8_t* first = data + start;
    const std::uint8_t* last = data + size;
    const std::uint8_t* found = last;
#if defined(__GLIBC__)
    // The C library's search is tuned for the machine; elsewhere a plain
    // Boyer-Moore-Horspool.
    const void* at = memmem(first, static_cast<std::size_t>(last - first), pattern.data(), n);
    if (at != nullptr) found = static_cast<const std::uint8_t*>(at);
#else
    found = std::search(first, last,
                        std::boyer_moore_horspool_searcher(pattern.begin(), pattern.end()));
#endif
    if (found == last) return std::nullopt;
    return static_cast<std::uint32_t>(found - data);
}

// A range as the boxes name it.
std::string RangeText(std::uint32_t start, std::uint32_t count) {
    if (count == 0) return fmt::format("{:08X}", start);
    return fmt::format("{:08X} .. {:08X}", start, std::uint64_t{start} + count - 1);
}

}  // namespace

std::uint32_t EditorWindowSize(const DeviceRecord& device, std::uint32_t allocated) {
    std::uint64_t size = std::uint64_t{static_cast<std::uint32_t>(device.LastAddr())} + 1;
    if (device.Family() == Family::Micro) size += device.EepromSize();
    if (device.Family() == Family::Pic) {
        // The whole layout: ID, configuration and data areas lie above the code.
        size = IsExtendedPicLayout(device)   ? 0x100000
               : IsEnhancedPicLayout(device) ? 0x20000
                                             : 0x10000;
    }
    size = std::max<std::uint64_t>(size, kLeastWindow);
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(size, allocated));
}

HexEditorModel::HexEditorModel(MemoryBuffer& buffer, const DeviceRecord& device,
                               ChecksumUpdater& checksum)
    : buffer_(buffer),
      device_(device),
      checksum_(checksum),
      csumText_(fmt::format("0x{:04X}", buffer.ChecksumTotal & 0xFFFF)) {}

void HexEditorModel::Open() {
    buffer_.Available = EditorWindowSize(device_, buffer_.Allocated);
    pageStart_ = 0;
    row_ = col_ = 0;
    nibble_ = 1;
    caret_ = 0;
    currAdd_ = "00000000";
    // The figure last computed: opening changes nothing to sum again.
    csumText_ = fmt::format("0x{:04X}", buffer_.ChecksumTotal & 0xFFFF);
}

std::uint32_t HexEditorModel::LastPage() const {
    return buffer_.Available > kEditorPageBytes ? buffer_.Available - kEditorPageBytes : 0;
}

int HexEditorModel::ScrollMaximum() const {
    const std::uint32_t rows = buffer_.Available / kRowBytes;
    return rows > 16 ? static_cast<int>(rows - 16) : 0;
}

std::optional<std::uint8_t> HexEditorModel::ByteAt(int row, int col) const {
    if (!InBuffer(row, col)) return std::nullopt;
    return buffer_[Offset(row, col)];
}

std::string HexEditorModel::AddressCell(int row) const {
    if (!InBuffer(row, 0)) return {};
    return fmt::format("{:08X}", Offset(row, 0));
}

std::string HexEditorModel::HexCell(int row, int col) const {
    const auto byte = ByteAt(row, col);
    if (!byte) return {};
    return {hex_detail::kUpperDigits[*byte >> 4], hex_detail::kUpperDigits[*byte & 0x0F]};
}

std::string HexEditorModel::AsciiCell(int row, int col) const {
    const auto byte = ByteAt(row, col);
    if (!byte) return {};
    return std::string(1, AsciiOf(*byte));
}

char HexEditorModel::AsciiOf(std::uint8_t byte) {
    return byte >= 32 && byte <= 122 ? static_cast<char>(byte) : '.';
}

// ---- moving about ----

void HexEditorModel::SetSelection(int row, int col) {
    row_ = std::clamp(row, 0, kEditorRows - 1);
    col_ = std::clamp(col, 0, kEditorColumns - 1);
    // A buffer smaller than a page leaves cells with no byte behind them.
    if (buffer_.Available > 0 && SelectedOffset() >= buffer_.Available) {
        const std::uint32_t last = buffer_.Available - 1 - pageStart_;
        row_ = static_cast<int>(last / kRowBytes);
        col_ = static_cast<int>(last % kRowBytes);
    }
    RefreshAddress();
}

void HexEditorModel::RefreshAddress() {
    currAdd_ = fmt::format("{:08X}", SelectedOffset());
}

void HexEditorModel::ShowPageAt(std::uint32_t start) {
    pageStart_ = std::min(start, LastPage());
    SetSelection(row_, col_);
}

void HexEditorModel::GoTo(std::uint32_t offset) {
    if (buffer_.Available == 0) return;
    offset = std::min(offset, buffer_.Available - 1);
    pageStart_ = offset > LastPage() ? LastPage() : offset & ~(kRowBytes - 1);
    const std::uint32_t inPage = offset - pageStart_;
    SetSelection(static_cast<int>(inPage / kRowBytes), static_cast<int>(inPage % kRowBytes));
}

void HexEditorModel::ScrollRowUp() {
    if (pageStart_ > 0) ShowPageAt(pageStart_ - std::min(kRowBytes, pageStart_));
}

bool HexEditorModel::ScrollRowDown() {
    if (pageStart_ >= LastPage()) return false;
    ShowPageAt(std::min(pageStart_ + kRowBytes, LastPage()));
    return true;
}

void HexEditorModel::Select(int row, int col) {
    nibble_ = 1;
    history_.EndTyping();
    SetSelection(row, col);
}

void HexEditorModel::Key(EditorKey key) {
    nibble_ = 1;
    history_.EndTyping();
    switch (key) {
        case EditorKey::Up:
            if (row_ > 0) {
                SetSelection(row_ - 1, col_);
            } else {
                ScrollRowUp();
            }
            break;
        case EditorKey::Down:
            if (row_ < kEditorRows - 1) {
                if (InBuffer(row_ + 1, col_)) SetSelection(row_ + 1, col_);
            } else {
                ScrollRowDown();
            }
            break;
        case EditorKey::Left:
            if (col_ > 0) SetSelection(row_, col_ - 1);
            break;
        case EditorKey::Right:
            if (col_ < kEditorColumns - 1 && InBuffer(row_, col_ + 1)) SetSelection(row_, col_ + 1);
            break;
        case EditorKey::PageUp:
            // From a page that is not a whole page from the start, to the start.
            if (pageStart_ > 0) ShowPageAt(pageStart_ - std::min(kEditorPageBytes, pageStart_));
            break;
        case EditorKey::PageDown:
            // The last page is always reachable, even from a row-scrolled page.
            if (pageStart_ < LastPage()) ShowPageAt(pageStart_ + kEditorPageBytes);
            break;
        case EditorKey::Home:
            Home();
            break;
        case EditorKey::Other:
            break;
    }
}

void HexEditorModel::ScrollTo(int position) {
    nibble_ = 1;
    history_.EndTyping();
    const auto row = static_cast<std::uint32_t>(std::clamp(position, 0, ScrollMaximum()));
    if (row * kRowBytes < buffer_.Available) ShowPageAt(row * kRowBytes);
}

void HexEditorModel::Home() {
    nibble_ = 1;
    history_.EndTyping();
    pageStart_ = 0;
    SetSelection(0, 0);
}

// ---- typing ----

void HexEditorModel::Advance() {
    const std::uint32_t next = SelectedOffset() + 1;
    if (next >= buffer_.Available) return;
    if (next >= pageStart_ + kEditorPageBytes) ScrollRowDown();
    const std::uint32_t inPage = next - pageStart_;
    SetSelection(static_cast<int>(inPage / kRowBytes), static_cast<int>(inPage % kRowBytes));
}

void HexEditorModel::StoreTyped(std::uint8_t value, TypingStep step) {
    const std::uint32_t offset = SelectedOffset();
    // The second digit of a byte is undone with its first: the change of
    // the first already keeps the byte from before it.
    if (step == TypingStep::SecondDigit && history_.TypingAt(offset) != nullptr) {
        buffer_[offset] = value;
        return;
    }
    history_.EndTyping();
    ByteChange change = history_.Before(buffer_, {{offset, 1}}, offset);
    change.typing = step == TypingStep::FirstDigit;
    buffer_[offset] = value;
    history_.Commit(std::move(change));
}

std::optional<EditorBox> HexEditorModel::TypeHex(char32_t character) {
    const int digit = DigitOf(character);
    if (digit < 0) return ErrorBox("This isn't a valid hex value: " + Utf8Of(character));
    if (!InBuffer(row_, col_)) return std::nullopt;
    const std::uint8_t old = buffer_[SelectedOffset()];
    const auto value = static_cast<std::uint8_t>(nibble_ == 1 ? (digit << 4) | (old & 0x0F)
                                                              : (old & 0xF0) | digit);
    StoreTyped(value, nibble_ == 1 ? TypingStep::FirstDigit : TypingStep::SecondDigit);
    if (nibble_ == 1) {
        nibble_ = 2;
    } else {
        nibble_ = 1;
        history_.EndTyping();
        Advance();
    }
    Checksum();
    return std::nullopt;
}

std::optional<EditorBox> HexEditorModel::TypeAscii(char32_t character) {
    // A character that is no byte would be cut to one silently.
    if (character > 0xFF) return ErrorBox("This isn't a valid hex value: " + Utf8Of(character));
    if (!InBuffer(row_, col_)) return std::nullopt;
    nibble_ = 1;
    StoreTyped(static_cast<std::uint8_t>(character), TypingStep::WholeByte);
    Advance();
    Checksum();
    return std::nullopt;
}

void HexEditorModel::Checksum() {
    csumText_ = fmt::format("0x{:04X}", checksum_.UpdateChecksum() & 0xFFFF);
}

// ---- the address box ----

void HexEditorModel::SetAddressCaret(int caret) {
    caret_ = std::clamp(caret, 0, 8);
}

void HexEditorModel::TypeAddress(char32_t character) {
    nibble_ = 1;
    history_.EndTyping();
    if (buffer_.Available == 0) return;
    const int digit = DigitOf(character);
    if (digit >= 0 && caret_ < 8) {
        currAdd_[static_cast<std::size_t>(caret_)] = hex_detail::kUpperDigits[digit];
        ++caret_;
        // Down to its row, and no further than the last row: masking with
        // the size would be right for powers of two only.
        const std::uint32_t lastRow = (buffer_.Available - 1) & ~(kRowBytes - 1);
        const std::uint32_t typed = ParseTypedHex(currAdd_).value_or(0);
        currAdd_ = fmt::format("{:08X}", std::min(typed & ~(kRowBytes - 1), lastRow));
    }
    GoTo(ParseTypedHex(currAdd_).value_or(0));
}

// ---- search ----

std::optional<EditorBox> HexEditorModel::Find(std::vector<std::uint8_t> pattern) {
    pattern_ = std::move(pattern);
    searched_ = true;
    return SearchFrom(0);
}

std::optional<EditorBox> HexEditorModel::Again() {
    // Nothing searched yet: there is nothing to find again.
    if (!searched_) return NotFoundBox();
    const std::uint32_t selected = SelectedOffset();
    return SearchFrom(selected + 1 >= buffer_.Available ? 0 : selected + 1);
}

std::optional<EditorBox> HexEditorModel::SearchFrom(std::uint32_t start) {
    nibble_ = 1;
    history_.EndTyping();
    const std::uint32_t size = buffer_.Available;
    // An empty pattern or one longer than the buffer matches nowhere, and
    // the view stays where the user is.
    if (pattern_.empty() || pattern_.size() > size) return NotFoundBox();
    if (const auto found = FindPattern(buffer_.Data(), size, start, pattern_)) {
        GoTo(*found);
        return std::nullopt;
    }
    GoTo(size - 1);
    return NotFoundBox();
}

// ---- the tools ----

std::optional<EditorBox> HexEditorModel::Fill(std::uint32_t from, std::uint32_t to,
                                              std::uint16_t data, bool words) {
    nibble_ = 1;
    history_.EndTyping();
    if (to < from) return InvalidDataBox("'To' has to be greater than 'From'");
    if (to >= buffer_.Available) {
        return InvalidDataBox(
            buffer_.Available == 0
                ? std::string("The buffer is empty")
                : fmt::format("'To' has to be at most {:08X}, the last address of the buffer",
                              buffer_.Available - 1));
    }
    const std::uint32_t count = to - from + 1;
    ByteChange change = history_.Before(buffer_, {{from, count}}, from);
    std::uint8_t* at = buffer_.Data() + from;
    if (!words) {
        std::memset(at, data & 0xFF, count);
    } else {
        // One pair, then what is filled copied onto what follows, doubling;
        // an odd count ends with a high byte.
        const std::uint8_t pair[2] = {static_cast<std::uint8_t>(data >> 8),
                                      static_cast<std::uint8_t>(data & 0xFF)};
        std::uint32_t filled = std::min<std::uint32_t>(2, count);
        std::memcpy(at, pair, filled);
        while (filled < count) {
            const std::uint32_t n = std::min(filled, count - filled);
            std::memcpy(at + filled, at, n);
            filled += n;
        }
    }
    history_.Commit(std::move(change));
    Home();
    Checksum();
    return std::nullopt;
}

std::optional<EditorBox> HexEditorModel::CopyBlock(std::uint32_t source, std::uint32_t count,
                                                   std::uint32_t destination,
                                                   std::optional<std::uint8_t> replace) {
    nibble_ = 1;
    history_.EndTyping();
    const std::uint32_t size = buffer_.Available;
    // Both ranges are checked before a byte moves: a block cut short at the
    // end of the buffer would lose bytes or leave the source half replaced.
    auto fits = [size, count](std::uint32_t start) {
        return start < size && count <= size - start;
    };
    auto refusal = [&](const char* what, std::uint32_t start) {
        return InvalidDataBox(fmt::format(
            "The {} {} does not fit in the buffer, which ends at {:08X}; nothing was changed", what,
            RangeText(start, count), size == 0 ? 0 : size - 1));
    };
    if (!fits(source)) return refusal("source", source);
    if (!fits(destination)) return refusal("destination", destination);
    ByteChange change =
        history_.Before(buffer_, {{source, count}, {destination, count}}, destination);
    std::uint8_t* b = buffer_.Data();
    std::memmove(b + destination, b + source, count);
    if (replace && count > 0) {
        // What the destination did not cover of the source gets the value.
        const std::uint64_t sourceEnd = std::uint64_t{source} + count;
        const std::uint64_t destinationEnd = std::uint64_t{destination} + count;
        const std::uint64_t lowEnd = std::min<std::uint64_t>(sourceEnd, destination);
        if (lowEnd > source) std::memset(b + source, *replace, lowEnd - source);
        const std::uint64_t highStart = std::max<std::uint64_t>(source, destinationEnd);
        if (sourceEnd > highStart) std::memset(b + highStart, *replace, sourceEnd - highStart);
    }
    history_.Commit(std::move(change));
    pageStart_ = std::min(destination & ~(kRowBytes - 1), LastPage());
    SetSelection(0, 0);
    Checksum();
    return std::nullopt;
}

// ---- undo ----

bool HexEditorModel::Undo() {
    nibble_ = 1;
    const auto focus = history_.Undo(buffer_);
    if (!focus) return false;
    if (*focus >= pageStart_ && *focus < pageStart_ + kEditorPageBytes) {
        const std::uint32_t inPage = *focus - pageStart_;
        SetSelection(static_cast<int>(inPage / kRowBytes), static_cast<int>(inPage % kRowBytes));
    } else {
        GoTo(*focus);
    }
    Checksum();
    return true;
}

bool HexEditorModel::Redo() {
    nibble_ = 1;
    history_.EndTyping();
    const auto focus = history_.Redo(buffer_);
    if (!focus) return false;
    if (*focus >= pageStart_ && *focus < pageStart_ + kEditorPageBytes) {
        const std::uint32_t inPage = *focus - pageStart_;
        SetSelection(static_cast<int>(inPage / kRowBytes), static_cast<int>(inPage % kRowBytes));
    } else {
        GoTo(*focus);
    }
    Checksum();
    return true;
}

}  // namespace karvo
