#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "buffer/MemoryBuffer.h"
#include "catalogue/DeviceRecord.h"
#include "editor/EditorBox.h"
#include "editor/UndoHistory.h"

namespace karvo {

inline constexpr int kEditorRows = 16;
inline constexpr int kEditorColumns = 16;
inline constexpr std::uint32_t kEditorPageBytes = 256;

// How many bytes the editor shows of the buffer for a device: the device's
// own memory (with a microcontroller's data EEPROM, or the whole layout of a
// PIC-type part), at least 4096, never more than is allocated.
std::uint32_t EditorWindowSize(const DeviceRecord& device, std::uint32_t allocated);

// Keys of the grid that move or that only end the typing of a byte.
enum class EditorKey { Up, Down, Left, Right, PageUp, PageDown, Home, Other };

// What recomputes the buffer's checksum for the main window; the editor
// shows the same figure.
class ChecksumUpdater {
  public:
    virtual ~ChecksumUpdater() = default;
    virtual std::uint32_t UpdateChecksum() = 0;
};

// The hex editor without its window: one page of 256 bytes of the buffer, the
// selected byte, the digit being typed, the address box, search, fill, copy
// and move, and undo. The buffer is the only truth; everything the grid shows
// is read from it, and every key changes it at once.
class HexEditorModel {
  public:
    HexEditorModel(MemoryBuffer& buffer, const DeviceRecord& device, ChecksumUpdater& checksum);

    // Opening the window: sets the buffer's Available to the editor's size,
    // shows page 0 and the checksum last computed.
    void Open();

    // ---- what the window shows ----
    std::uint32_t Available() const { return buffer_.Available; }
    std::uint32_t PageStart() const { return pageStart_; }
    std::uint32_t LastPage() const;
    int SelectedRow() const { return row_; }
    int SelectedCol() const { return col_; }
    std::uint32_t SelectedOffset() const { return Offset(row_, col_); }
    int NibblePosition() const { return nibble_; }
    // The byte of a cell; nullopt for a cell past the end of the buffer.
    std::optional<std::uint8_t> ByteAt(int row, int col) const;
    std::string AddressCell(int row) const;
    std::string HexCell(int row, int col) const;
    std::string AsciiCell(int row, int col) const;
    // The ASCII block's character for a byte: itself from 32 to 122, else ".".
    static char AsciiOf(std::uint8_t byte);
    // The address box and where its caret stands (0 .. 8).
    const std::string& CurrAdd() const { return currAdd_; }
    int AddressCaret() const { return caret_; }
    // "0x%.4X" of the checksum.
    const std::string& CsumText() const { return csumText_; }
    int ScrollMaximum() const;
    int ScrollPosition() const { return static_cast<int>(pageStart_ / 16); }
    const MemoryBuffer& Buffer() const { return buffer_; }
    const DeviceRecord& Device() const { return device_; }

    // ---- the grid ----
    // A click on a cell of any of the three grids.
    void Select(int row, int col);
    void Key(EditorKey key);
    // A character typed into the hex block or the ASCII block. The box the
    // window is to show when the character is refused; nothing changed then.
    std::optional<EditorBox> TypeHex(char32_t character);
    std::optional<EditorBox> TypeAscii(char32_t character);
    // The scroll bar moved to a position (a row number).
    void ScrollTo(int position);
    // The Home button: page 0, first cell.
    void Home();

    // ---- the address box ----
    void SetAddressCaret(int caret);
    // A key pressed in the box: a hex digit overwrites the character after
    // the caret; whatever the key, the editor then goes to the box's address.
    void TypeAddress(char32_t character);

    // ---- search ----
    // Find: a new pattern, searched from offset 0.
    std::optional<EditorBox> Find(std::vector<std::uint8_t> pattern);
    // Again: the last pattern from the byte after the selected one.
    std::optional<EditorBox> Again();
    const std::vector<std::uint8_t>& SearchPattern() const { return pattern_; }

    // ---- the tools ----
    // Fills From .. To with a byte, or with high/low byte pairs of a word.
    std::optional<EditorBox> Fill(std::uint32_t from, std::uint32_t to, std::uint16_t data,
                                  bool words);
    // Copies count bytes from source to destination, as they were before;
    // with a replace value the source bytes are set to it first (Move).
    std::optional<EditorBox> CopyBlock(std::uint32_t source, std::uint32_t count,
                                       std::uint32_t destination,
                                       std::optional<std::uint8_t> replace);

    // ---- undo ----
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    bool Undo();
    bool Redo();
    const UndoHistory& History() const { return history_; }

  private:
    std::uint32_t Offset(int row, int col) const {
        return pageStart_ + static_cast<std::uint32_t>(row * kEditorColumns + col);
    }
    bool InBuffer(int row, int col) const { return Offset(row, col) < buffer_.Available; }
    // Shows the page at start (never past the last page) keeping the
    // selected cell, which moves back inside the buffer if it fell out.
    void ShowPageAt(std::uint32_t start);
    void SetSelection(int row, int col);
    // Shows the page that holds offset, as a jump does, and selects it.
    void GoTo(std::uint32_t offset);
    void ScrollRowUp();
    bool ScrollRowDown();
    // After a digit or character is complete: the next cell, scrolling from
    // the last row when it can.
    void Advance();
    enum class TypingStep { FirstDigit, SecondDigit, WholeByte };
    void StoreTyped(std::uint8_t value, TypingStep step);
    void RefreshAddress();
    void Checksum();
    std::optional<EditorBox> SearchFrom(std::uint32_t start);

    MemoryBuffer& buffer_;
    const DeviceRecord& device_;
    ChecksumUpdater& checksum_;
    std::uint32_t pageStart_ = 0;
    int row_ = 0;
    int col_ = 0;
    int nibble_ = 1;
    std::string currAdd_ = "00000000";
    int caret_ = 0;
    std::string csumText_;
    std::vector<std::uint8_t> pattern_;
    bool searched_ = false;
    UndoHistory history_;
};

}  // namespace karvo
