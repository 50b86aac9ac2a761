#pragma once
#include "buffer/SaveContext.h"

namespace karvo {

// Intel HEX, 16 data bytes a record, "\r\n" line ends. Parts above 64 KiB
// start with an extended segment address record; every time the record
// addresses wrap, an extended linear address record follows.
class IntelHexWriter final : public FileWriter {
  public:
    void Write(SaveContext& save) override;
};

}  // namespace karvo
