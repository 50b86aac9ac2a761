#pragma once
#include "buffer/SaveContext.h"

namespace karvo {

// The range's bytes as they are, nothing else.
class BinaryWriter final : public FileWriter {
  public:
    void Write(SaveContext& save) override;
};

}  // namespace karvo
