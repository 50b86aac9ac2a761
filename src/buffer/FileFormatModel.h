#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "buffer/FileFormat.h"
#include "buffer/MemoryBuffer.h"
#include "catalogue/DeviceRecord.h"

namespace karvo {

enum class FileFormatLayout { Load, Save };

// The dialog's choices that last for the rest of the run.
struct FileFormatKept {
    FileFormat format = FileFormat::FormatIntelHex;
    FillChoice fill = FillChoice::Disable;  // until the dialog is first shown
    bool subtract = true;                   // the offset's sign
    std::int64_t offset = 0;                // signed, as the last OK left it
};

// The save range as typed, once converted.
struct SaveRange {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
};

// The logic of the file format dialog (TfrmFileFormat, "Select File Format"):
// which buttons are offered and checked, which groups show, the texts of the
// boxes, and what OK and Cancel leave in the kept choices. Constructing it
// opens it (F3_init); a window or a script then clicks and types.
class FileFormatModel {
  public:
    static constexpr const char* kCaption = "Select File Format";
    static constexpr std::size_t kBoxLength = 8;

    FileFormatModel(FileFormatKept& kept, const DeviceRecord& device, FileFormatLayout layout,
                    FileFormat preselected);

    FileFormatLayout Layout() const { return layout_; }
    bool FormatEnabled(FileFormat format) const;
    FileFormat CheckedFormat() const { return checkedFormat_; }
    FillChoice CheckedFill() const { return checkedFill_; }
    bool SubtractChecked() const { return kept_.subtract; }
    bool FillGroupVisible() const { return layout_ == FileFormatLayout::Load; }
    bool OffsetGroupVisible() const {
        return layout_ == FileFormatLayout::Load && family_ != Family::Pic;
    }
    bool RangeGroupVisible() const { return layout_ == FileFormatLayout::Save; }
    const std::string& OffsetText() const { return offsetText_; }  // Edit1
    const std::string& StartText() const { return startText_; }    // Edit2
    const std::string& StopText() const { return stopText_; }      // Edit3

    // F_FormatClick, RB_FillClick, OffSet: false for a button that is
    // disabled or hidden, which no click reaches.
    bool ClickFormat(FileFormat format);
    bool ClickFill(FillChoice fill);
    bool ClickAdd() { return ClickSign(false); }
    bool ClickSubtract() { return ClickSign(true); }
    // The boxes take at most eight characters; Start and Stop upper-case.
    bool TypeOffset(const std::string& text);
    bool TypeStart(const std::string& text);
    bool TypeStop(const std::string& text);

    // BitBtn1Click. In the load layout the offset box is converted into the
    // kept signed offset; its conversion error comes back (and the offset is
    // left as it was). The save layout changes nothing.
    std::optional<std::string> Ok();
    // BitBtn2Click (also Escape): the format becomes FormatCancelled.
    void Cancel();

    // The Start and Stop boxes as numbers (after OK, save layout); the
    // conversion error of the first box that is not a number otherwise.
    std::optional<SaveRange> ReadSaveRange(std::string& error) const;

    // The Stop box's default: the last address a save of this part covers.
    static std::uint32_t DefaultStop(const DeviceRecord& device);

  private:
    bool ClickSign(bool subtract);

    FileFormatKept& kept_;
    FileFormatLayout layout_;
    Family family_;
    FileFormat checkedFormat_ = FileFormat::FormatIntelHex;
    FillChoice checkedFill_ = FillChoice::DeviceDefault;
    std::string offsetText_ = "0";
    std::string startText_ = "0";
    std::string stopText_;
};

// Refuses a save range the writers cannot take: the message for the
// "Invalid Data" box, or nothing when the range is fine.
std::optional<std::string> SaveRangeProblem(const SaveRange& range, const MemoryBuffer& buffer);

}  // namespace karvo
