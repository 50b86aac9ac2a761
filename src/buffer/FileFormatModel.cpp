#include "buffer/FileFormatModel.h"

#include "catalogue/ChipFacts.h"

#include <cctype>

#include <fmt/format.h>

#include "buffer/HexText.h"

namespace karvo {

namespace {
std::string Box(const std::string& text, bool upper) {
    std::string box = text.substr(0, FileFormatModel::kBoxLength);
    if (upper) {
        for (char& c : box) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return box;
}
}  // namespace

FileFormatModel::FileFormatModel(FileFormatKept& kept, const DeviceRecord& device,
                                 FileFormatLayout layout, FileFormat preselected)
    : kept_(kept), layout_(layout), family_(device.Family()) {
    // Checking a button runs its click handler, so opening always leaves the
    // fill at the device default and the format at the checked button.
    FileFormat checked = FileFormat::FormatIntelHex;
    if (family_ == Family::Pic) {
        checked = FileFormat::FormatInh8m;
    } else if (preselected == FileFormat::FormatMotorola) {
        checked = FileFormat::FormatMotorola;
    } else if (preselected == FileFormat::FormatBinary || preselected == FileFormat::FormatInh8m) {
        // Code 3 is the "All Files" filter of the open dialog.
        checked = FileFormat::FormatBinary;
    }
    checkedFormat_ = kept_.format = checked;
    checkedFill_ = kept_.fill = FillChoice::DeviceDefault;
    stopText_ = fmt::format("{:08X}", DefaultStop(device));
}

std::uint32_t FileFormatModel::DefaultStop(const DeviceRecord& device) {
    const auto last = static_cast<std::uint32_t>(device.LastAddr());
    std::uint32_t stop = last;
    if (device.Family() != Family::Micro) return stop;
    // When several apply, the last of these wins.
    if (CarriesUserRow(device)) stop = last + micro::kUserRowBytes;
    if (IsSstDualBlock(device)) stop = last + micro::kSecondBlockBytes;
    if (SaveRangeCoversData(device)) stop = last + device.EepromSize();
    return stop;
}

bool FileFormatModel::FormatEnabled(FileFormat format) const {
    switch (format) {
        case FileFormat::FormatIntelHex:
        case FileFormat::FormatMotorola:
        case FileFormat::FormatBinary:
            return family_ != Family::Pic;
        case FileFormat::FormatInh8m:
        case FileFormat::FormatInx16:
            return family_ == Family::Pic;
        case FileFormat::FormatJedec:
        case FileFormat::FormatCancelled:
            break;
    }
    return false;
}

bool FileFormatModel::ClickFormat(FileFormat format) {
    if (!FormatEnabled(format)) return false;
    checkedFormat_ = kept_.format = format;
    return true;
}

bool FileFormatModel::ClickFill(FillChoice fill) {
    if (!FillGroupVisible()) return false;
    checkedFill_ = kept_.fill = fill;
    return true;
}

bool FileFormatModel::ClickSign(bool subtract) {
    if (!OffsetGroupVisible()) return false;
    kept_.subtract = subtract;
    return true;
}

bool FileFormatModel::TypeOffset(const std::string& text) {
    if (!OffsetGroupVisible()) return false;
    offsetText_ = Box(text, false);
    return true;
}

bool FileFormatModel::TypeStart(const std::string& text) {
    if (!RangeGroupVisible()) return false;
    startText_ = Box(text, true);
    return true;
}

bool FileFormatModel::TypeStop(const std::string& text) {
    if (!RangeGroupVisible()) return false;
    stopText_ = Box(text, true);
    return true;
}

std::optional<std::string> FileFormatModel::Ok() {
    if (layout_ != FileFormatLayout::Load) return std::nullopt;
    const auto magnitude = ParseTypedHex(offsetText_);
    if (!magnitude) return ConversionErrorText("$" + offsetText_);
    kept_.offset = kept_.subtract ? -static_cast<std::int64_t>(*magnitude)
                                  : static_cast<std::int64_t>(*magnitude);
    return std::nullopt;
}

void FileFormatModel::Cancel() {
    kept_.format = FileFormat::FormatCancelled;
}

std::optional<SaveRange> FileFormatModel::ReadSaveRange(std::string& error) const {
    const auto start = ParseTypedHex(startText_);
    if (!start) {
        error = ConversionErrorText("$" + startText_);
        return std::nullopt;
    }
    const auto stop = ParseTypedHex(stopText_);
    if (!stop) {
        error = ConversionErrorText("$" + stopText_);
        return std::nullopt;
    }
    return SaveRange{*start, *stop};
}

std::optional<std::string> SaveRangeProblem(const SaveRange& range, const MemoryBuffer& buffer) {
    if (range.end < range.start) return std::string("'Stop' has to be at least 'Start'");
    if (buffer.Allocated == 0 || range.end >= buffer.Allocated) {
        return fmt::format("'Stop' has to be at most {:X}, the end of the buffer",
                           buffer.Allocated == 0 ? 0 : buffer.Allocated - 1);
    }
    return std::nullopt;
}

}  // namespace karvo
