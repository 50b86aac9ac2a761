#pragma once
#include <memory>

#include "buffer/FileFormat.h"
#include "buffer/LoadContext.h"

namespace karvo {

// Reads one file format into the buffer through the load context. A reader
// returns how the records ended; the wrong-format branch is set on the
// context, a failed read or a non-hexadecimal pair is thrown (FileReadError,
// HexConversionError).
class FileReader {
  public:
    virtual ~FileReader() = default;
    virtual LoadResult Read(LoadContext& load) = 0;
};

}  // namespace karvo
