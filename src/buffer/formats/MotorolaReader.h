#pragma once
#include "buffer/FileReader.h"

namespace karvo {

// Motorola S-records: S1, S2 and S3 data records; S7, S8 and S9 end the
// file; every other record (S0 header) is passed over. A file may also end
// right after an S5 or S6 count record that counts the data records read:
// complete by the format's own count, as other tools write it without a
// start address.
class MotorolaReader final : public FileReader {
  public:
    LoadResult Read(LoadContext& load) override;
    LoadResult NotThisFormat() const override { return LoadResult::ResultNotMotorola; }
};

}  // namespace karvo
