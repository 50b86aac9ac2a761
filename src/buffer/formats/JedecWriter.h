#pragma once
#include "buffer/SaveContext.h"

namespace karvo {

// The buffer's fuses as a JEDEC file: header, QP/QF, the *L rows of the
// part's fuse map, UES, PES and the fuse checksum, lines ending in CR LF.
class JedecWriter final : public FileWriter {
  public:
    void Write(SaveContext& save) override;
    const char* Refusal(const DeviceRecord& device) const override;
};

}  // namespace karvo
