#pragma once
#include <memory>

#include "buffer/FileFormat.h"
#include "buffer/FileReader.h"
#include "buffer/SaveContext.h"

namespace karvo {

// The readers and writers by format code: one entry per format, each naming
// the factories of its reader and writer. A format whose reader or writer
// does not exist yet gives nullptr.
std::unique_ptr<FileReader> MakeReader(FileFormat format);
std::unique_ptr<FileWriter> MakeWriter(FileFormat format);

}  // namespace karvo
