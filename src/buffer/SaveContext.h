#pragma once
#include <cstdint>

#include "buffer/FileOutput.h"
#include "buffer/FileProgress.h"
#include "buffer/LoadSaveHost.h"
#include "buffer/MemoryBuffer.h"
#include "catalogue/DeviceRecord.h"

namespace karvo {

// One save: the buffer range to write (start .. end inclusive, already known
// to lie inside the buffer), the output and the progress bar.
struct SaveContext {
    const MemoryBuffer& buffer;
    const DeviceRecord& device;
    FileOutput& out;
    ProgressGauge& progress;
    LoadSaveHost& host;
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    // LastAddr: decides the Intel HEX segment record and scales the bar.
    std::int64_t capacity = 0;
};

// Writes the buffer in one file format.
class FileWriter {
  public:
    virtual ~FileWriter() = default;
    virtual void Write(SaveContext& save) = 0;
    // Why the format cannot hold this part, or nullptr. A refused save is
    // told in a box and creates no file.
    virtual const char* Refusal(const DeviceRecord&) const { return nullptr; }
};

}  // namespace karvo
