#pragma once
#include <cstdint>

#include "buffer/FileFormat.h"
#include "buffer/FileInput.h"
#include "buffer/FileProgress.h"
#include "buffer/LoadSaveHost.h"
#include "buffer/MemoryBuffer.h"
#include "catalogue/DeviceRecord.h"

namespace karvo {

// The areas a word-organised part's file is expected to supply; each flag
// still set when the load ends gives a warning line.
struct AreaExpectations {
    bool data = false;
    bool config = false;
    bool id = false;
};

// The state of one load, shared by every reader: where the next byte goes,
// what has been stored, and the rule every stored byte follows.
class LoadContext {
  public:
    LoadContext(FileInput& input, MemoryBuffer& buffer, const DeviceRecord& record,
                std::int64_t addressOffset, ProgressGauge& progress, LoadSaveHost& loadHost);

    // LastAddr, and for the parts with 32 bytes after their code area those too.
    static std::int64_t Capacity(const DeviceRecord& device);
    static AreaExpectations ExpectedAreas(const DeviceRecord& device);

    // The storing rule. False when the byte falls outside the buffer: the
    // result is then ResultNoFit and the reader stops.
    bool Store(std::uint8_t byte) {
        const std::int64_t o = LoadPointer;
        if (o > capacity_) biggerThanDevice = true;
        if (o < 0 || o >= available_) return false;
        data_[o] = byte;
        if (o > highest_) highest_ = o;
        if (o < lowest_) lowest_ = o;
        LoadPointer = o + 1;
        progress_.Update(LoadPointer);
        return true;
    }
    // The same rule for a run of bytes, stored in order.
    bool StoreRun(const std::uint8_t* bytes, std::size_t count);

    // Ends the load on the wrong-format branch with this line.
    void SetWrongFormat(const char* line) { wrongFormatLine_ = line; }
    // Moves to the character after the next record mark of a text format.
    // Whatever comes before the first record means the file is something
    // else (the wrong-format line is set and true returned); between records
    // it is line ends. False at the end of the file.
    bool FindRecordMark(char mark, const char* wrongFormatLine);
    const char* WrongFormatLine() const { return wrongFormatLine_; }

    // Writes the load's extent into the buffer's fields.
    void Commit();
    bool AnythingStored() const { return highest_ >= 0; }
    // What has been stored so far, from the start of the buffer.
    const std::uint8_t* Stored() const { return data_; }
    std::int64_t Available() const { return available_; }
    // Sets every byte the load may store to one value.
    void FillAvailable(std::uint8_t value);
    std::int64_t HighestLoaded() const { return highest_ < 0 ? 0 : highest_; }
    std::int64_t LowestLoaded() const { return highest_ < 0 ? 0 : lowest_; }

    FileInput& in;
    const DeviceRecord& device;
    LoadSaveHost& host;
    const std::int64_t offset;
    std::int64_t LoadPointer = 0;
    std::int64_t extension = 0;
    bool firstRecordPending = true;
    bool biggerThanDevice = false;
    AreaExpectations areas;
    // Off for the word formats, whose loads leave HighestLoaded and
    // LowestLoaded as the allocation set them.
    bool recordsExtent = true;

  private:
    MemoryBuffer& buffer_;
    std::uint8_t* data_;
    std::int64_t available_;
    std::int64_t capacity_;
    ProgressGauge& progress_;
    std::int64_t highest_ = -1;
    std::int64_t lowest_ = INT64_MAX;
    const char* wrongFormatLine_ = nullptr;
};

}  // namespace karvo
