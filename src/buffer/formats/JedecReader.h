#pragma once
#include "buffer/FileReader.h"

namespace karvo {

// A JEDEC fuse file (JESD3): the L fields store '0'/'1' characters, one
// buffer byte per fuse; QF, QP and C are checked against the part and the
// fuses once the file has been read.
class JedecReader final : public FileReader {
  public:
    LoadResult Read(LoadContext& load) override;
    // A file ending inside a field ends the fields; the counts are still
    // checked, so there is no other format to report.
    LoadResult NotThisFormat() const override { return LoadResult::ResultJedecFailure; }
    const char* Refusal(const DeviceRecord& device) const override;
};

}  // namespace karvo
