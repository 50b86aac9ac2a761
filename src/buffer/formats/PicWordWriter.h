#pragma once
#include "buffer/FileFormat.h"
#include "buffer/SaveContext.h"

namespace karvo {

// The two word formats written from the part's fixed areas, whatever the
// save range: program memory 0 .. (LastAddr OR 0xF) in 16-byte records, then
// the data EEPROM, the ID locations and all configuration bytes in one
// record, then the end record; "\n" line ends.
class PicWordWriter : public FileWriter {
  public:
    void Write(SaveContext& save) override;
    const char* Refusal(const DeviceRecord& device) const override;

  protected:
    explicit PicWordWriter(FileFormat format) : format_(format) {}

  private:
    FileFormat format_;
};

// INH8M: byte addresses, each word low byte first (the PIC18 data EEPROM
// byte for byte); an extended linear address record ("\r\n") wherever the
// upper address bits change and ahead of every area above 64 KiB.
class Inh8mWriter final : public PicWordWriter {
  public:
    Inh8mWriter() : PicWordWriter(FileFormat::FormatInh8m) {}
};

// INX16: word counts and word addresses, each word high byte first; beyond
// word 0xFFFF the linear address records srec_cat reads. PIC18 parts are
// refused.
class Inx16Writer final : public PicWordWriter {
  public:
    Inx16Writer() : PicWordWriter(FileFormat::FormatInx16) {}
};

}  // namespace karvo
