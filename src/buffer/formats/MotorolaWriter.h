#pragma once
#include "buffer/SaveContext.h"

namespace karvo {

// Motorola S-records, "\n" line ends: S1 records of up to 32 data bytes below
// 64 KiB, S2 records of up to 31 above, then an S9 record; no S0 header.
class MotorolaWriter final : public FileWriter {
  public:
    void Write(SaveContext& save) override;
};

}  // namespace karvo
