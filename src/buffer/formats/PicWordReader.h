#pragma once
#include "buffer/FileReader.h"

namespace karvo {

// The two Intel-HEX-based formats of word-organised parts. The ID,
// configuration and data areas move from their file addresses to their
// buffer places (PicFileMap); words are high byte first in the buffer.
class PicWordReader : public FileReader {
  public:
    LoadResult Read(LoadContext& load) override;
    LoadResult NotThisFormat() const override;
    const char* Refusal(const DeviceRecord& device) const override;

  protected:
    explicit PicWordReader(FileFormat format) : format_(format) {}

  private:
    FileFormat format_;
};

// INH8M: byte addresses, each word low byte first (the PIC18 data EEPROM
// byte for byte).
class Inh8mReader final : public PicWordReader {
  public:
    Inh8mReader() : PicWordReader(FileFormat::FormatInh8m) {}
};

// INX16: word counts and word addresses, each word high byte first. PIC18
// parts are refused.
class Inx16Reader final : public PicWordReader {
  public:
    Inx16Reader() : PicWordReader(FileFormat::FormatInx16) {}
};

}  // namespace karvo
