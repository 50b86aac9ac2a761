#pragma once
#include "buffer/FileReader.h"

namespace karvo {

// A plain image: every byte of the file, in order, from the offset on.
class BinaryReader final : public FileReader {
  public:
    LoadResult Read(LoadContext& load) override;
};

}  // namespace karvo
