#pragma once
#include "buffer/FileReader.h"

namespace karvo {

// A plain image: every byte of the file, in order, from the offset on.
class BinaryReader final : public FileReader {
  public:
    LoadResult Read(LoadContext& load) override;
    // Bytes have no records to end inside.
    LoadResult NotThisFormat() const override { return LoadResult::ResultNone; }
};

}  // namespace karvo
