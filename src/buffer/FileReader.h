#pragma once
#include <memory>

#include "buffer/FileFormat.h"
#include "buffer/LoadContext.h"

namespace karvo {

// Reads one file format into the buffer through the load context. A reader
// returns how the records ended; the wrong-format branch is set on the
// context, a failed read, a file cut off inside a record or a non-hexadecimal
// pair is thrown (FileReadError, FileEndedInRecord, HexConversionError).
class FileReader {
  public:
    virtual ~FileReader() = default;
    virtual LoadResult Read(LoadContext& load) = 0;
    // The result of a file that ended inside a record.
    virtual LoadResult NotThisFormat() const = 0;
    // Why the format cannot hold this part, or nullptr. A refused load is
    // told in a box and touches nothing.
    virtual const char* Refusal(const DeviceRecord&) const { return nullptr; }
};

}  // namespace karvo
