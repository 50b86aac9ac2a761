#pragma once
#include <cstdint>
#include <string>

#include "buffer/FileFormat.h"
#include "buffer/FileInput.h"
#include "buffer/FileProgress.h"
#include "buffer/LoadSaveHost.h"
#include "buffer/MemoryBuffer.h"
#include "catalogue/DeviceRecord.h"

namespace karvo {

// The choices of the format dialog a load runs with.
struct LoadRequest {
    FileFormat format = FileFormat::FormatIntelHex;
    FillChoice fill = FillChoice::DeviceDefault;
    std::int64_t offset = 0;  // added to every file address
};

enum class LoadEnd {
    NotOpened,        // "File ERROR" shown; the buffer untouched
    Unsupported,      // no reader for the format; nothing touched
    Refused,          // the format cannot hold the part: told in a box, nothing touched
    WrongFormat,      // the file did not start with a record
    Finished,         // the records ended; see the result
    ConversionError,  // two characters that are not hex; the caller shows it
};

struct LoadOutcome {
    LoadEnd end = LoadEnd::Finished;
    LoadResult result = LoadResult::ResultNone;
    std::string conversionError;
    bool Loaded() const { return end == LoadEnd::Finished && result == LoadResult::ResultNone; }
};

// LoadFile: opens the file, re-allocates and fills the buffer, runs the
// format's reader with the progress window open and writes the completion
// lines. The load's extent is left in the buffer's LoadPointer,
// HighestLoaded and LowestLoaded.
LoadOutcome LoadFile(const std::string& path, const LoadRequest& request, MemoryBuffer& buffer,
                     const DeviceRecord& device, FileProgressPort& progress, LoadSaveHost& host);

// The same with the file already open; `path` is only reported.
LoadOutcome LoadFromSource(ByteSource& source, const std::string& path, const LoadRequest& request,
                           MemoryBuffer& buffer, const DeviceRecord& device,
                           FileProgressPort& progress, LoadSaveHost& host);

}  // namespace karvo
