#pragma once
#include "buffer/FileReader.h"

namespace karvo {

// Motorola S-records: S1, S2 and S3 data records; S7, S8 and S9 end the
// file; every other record (S0 header, S5 count) is passed over.
class MotorolaReader final : public FileReader {
  public:
    LoadResult Read(LoadContext& load) override;
};

}  // namespace karvo
