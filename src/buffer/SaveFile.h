#pragma once
#include <cstdint>
#include <string>

#include "buffer/FileFormat.h"
#include "buffer/FileOutput.h"
#include "buffer/FileProgress.h"
#include "buffer/LoadSaveHost.h"
#include "buffer/MemoryBuffer.h"
#include "catalogue/DeviceRecord.h"

namespace karvo {

struct SaveRequest {
    FileFormat format = FileFormat::FormatIntelHex;
    std::uint32_t start = 0;  // SaveStart
    std::uint32_t end = 0;    // SaveEnd, inclusive
};

enum class SaveEnd {
    Saved,
    NotCreated,    // "File ERROR" shown; nothing written
    WriteFailed,   // "File ERROR" shown; any file of that name is as it was
    Unsupported,   // no writer for the format; nothing touched
    Refused,       // the format cannot hold the part: told in a box, nothing written
    RangeRefused,  // the range is empty or leaves the buffer; nothing touched
};

// SaveFile: writes the range of the buffer in the format, into a temporary
// file that replaces `path` only when all of it was written.
SaveEnd SaveFile(const std::string& path, const SaveRequest& request, const MemoryBuffer& buffer,
                 const DeviceRecord& device, FileProgressPort& progress, LoadSaveHost& host);

// The writer alone, into any sink; false when the sink failed, or when the
// format cannot hold the part (nothing written, no box).
bool WriteFileFormat(ByteSink& sink, const SaveRequest& request, const MemoryBuffer& buffer,
                     const DeviceRecord& device, FileProgressPort& progress, LoadSaveHost& host);

// True when start .. end is a range the writers can take from the buffer.
bool SaveRangeFits(const SaveRequest& request, const MemoryBuffer& buffer);

}  // namespace karvo
