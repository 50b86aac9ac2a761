#include "buffer/formats/PicWordWriter.h"

#include <algorithm>

#include "buffer/formats/HexRecords.h"
#include "buffer/formats/PicFileMap.h"

namespace karvo {

namespace {
constexpr std::uint32_t kRecordBytes = 16;
// The configuration goes in one record however long (ConfigCount is at
// most 32); even, so that an INX16 record holds whole words.
constexpr std::uint32_t kLongestRecord = 0xFE;
constexpr std::uint32_t kPage = 0x10000;
constexpr std::string_view kLineEnd = "\n";

class RecordWriter {
  public:
    RecordWriter(FileOutput& out, bool words) : out_(out), words_(words) {}

    // The upper address bits a reader adds, in units of the format.
    std::uint32_t page = 0;

    void SetPage(std::uint32_t upper) {
        const auto value = static_cast<std::uint16_t>(upper);
        if (words_) {
            // srec_cat's INX16 form: one word, low byte first.
            const std::uint8_t bytes[] = {static_cast<std::uint8_t>(value & 0xFF),
                                          static_cast<std::uint8_t>(value >> 8)};
            WriteHexRecord(out_, 1, 0, hex_record::kLinearAddress, bytes, 2, kLineEnd);
        } else {
            WriteHexAddressRecord(out_, hex_record::kLinearAddress, value, "\r\n");
        }
        page = upper;
    }

    void Data(std::uint32_t address, const std::uint8_t* bytes, std::uint32_t count) {
        const std::uint32_t unit = words_ ? 2 : 1;
        WriteHexRecord(out_, static_cast<std::uint8_t>(count / unit),
                       static_cast<std::uint16_t>(address & (kPage - 1)), hex_record::kData, bytes,
                       count, kLineEnd);
    }

  private:
    FileOutput& out_;
    bool words_;
};
}  // namespace

void PicWordWriter::Write(SaveContext& save) {
    const bool words = format_ == FileFormat::FormatInx16;
    const std::uint32_t unit = words ? 2 : 1;
    const std::uint8_t* data = save.buffer.Data();
    const PicFileMap map(save.device);
    RecordWriter records(save.out, words);
    for (const PicFileSection& section : map.Sections()) {
        const std::uint32_t bytes = PicFileMap::BytesWithin(section, save.buffer.Allocated);
        // Every area above the first 64 KiB states its page, and one after
        // such an area states page 0 again.
        const std::uint32_t first = section.file / unit / kPage;
        if (section.area != PicFileArea::Code && (first != 0 || records.page != 0)) {
            records.SetPage(first);
        }
        const std::uint32_t longest =
            section.area == PicFileArea::Config ? kLongestRecord : kRecordBytes;
        // INH8M has each word low byte first.
        const std::uint32_t swap = !words && !section.bytewise ? 1 : 0;
        std::uint8_t record[kLongestRecord];
        for (std::uint32_t done = 0; done < bytes;) {
            const std::uint32_t address = (section.file + done) / unit;
            if (address / kPage != records.page) records.SetPage(address / kPage);
            // A record never runs past the addresses its page can name.
            const std::uint32_t count =
                std::min({longest, bytes - done, unit * (kPage - address % kPage)});
            for (std::uint32_t i = 0; i < count; ++i) {
                record[i] = data[(section.buffer + done + i) ^ swap];
            }
            records.Data(address, record, count);
            done += count;
            save.progress.Update(section.buffer + done);
        }
    }
    save.out.Write(":00000001FF\n");
}

const char* PicWordWriter::Refusal(const DeviceRecord& device) const {
    return PicWordFileRefusal(format_, device);
}

}  // namespace karvo
