#pragma once
#include "buffer/FileReader.h"

namespace karvo {

// Intel HEX: data, end, extended segment and extended linear address records;
// start-address records are passed over.
class IntelHexReader final : public FileReader {
  public:
    LoadResult Read(LoadContext& load) override;
    LoadResult NotThisFormat() const override { return LoadResult::ResultNotIntelHex; }
};

}  // namespace karvo
