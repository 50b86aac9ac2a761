#pragma once
#include <cstdint>

#include "buffer/MemoryBuffer.h"
#include "catalogue/DeviceRecord.h"
#include "config/ConfigBitsState.h"
#include "config/pages/BitsNotation.h"

namespace karvo::config {

// The bytes a page edits, as numbered cells (see Unit). Reads outside the
// store give 0 and writes there are dropped, so a page can never write past
// the buffer or the state, whatever its rows say.
class CellStore {
  public:
    virtual ~CellStore() = default;
    virtual Storage Kind() const = 0;
    virtual bool Has(std::uint8_t cell) const = 0;
    virtual std::uint8_t Read(std::uint8_t cell) const = 0;
    virtual void Write(std::uint8_t cell, std::uint8_t value) = 0;
    // The bits the part implements in the cell: ConfigMask inside
    // ConfigCount, every bit elsewhere.
    virtual std::uint8_t Mask(std::uint8_t cell) const = 0;
};

// Family 'C': the configuration bytes in the buffer, from the area the
// device's layout gives. Every write leaves the buffer's Cursor on its byte.
class PicAreaStore final : public CellStore {
  public:
    PicAreaStore(MemoryBuffer& buffer, const DeviceRecord& device, std::uint32_t area);
    Storage Kind() const override { return Storage::PicArea; }
    bool Has(std::uint8_t cell) const override;
    std::uint8_t Read(std::uint8_t cell) const override;
    void Write(std::uint8_t cell, std::uint8_t value) override;
    std::uint8_t Mask(std::uint8_t cell) const override;
    // Configuration bytes the record declares, at most the 32 of ConfigMask.
    std::uint8_t Count() const { return count_; }

  private:
    MemoryBuffer& buffer_;
    const DeviceRecord& device_;
    std::uint32_t area_;
    std::uint8_t count_;
};

// Every other family: the byte fields of ConfigBitsState.
class BitsStateStore final : public CellStore {
  public:
    explicit BitsStateStore(ConfigBitsState& state) : state_(state) {}
    Storage Kind() const override { return Storage::BitsState; }
    bool Has(std::uint8_t cell) const override { return cell < kStateCellCount; }
    std::uint8_t Read(std::uint8_t cell) const override;
    void Write(std::uint8_t cell, std::uint8_t value) override;
    std::uint8_t Mask(std::uint8_t) const override { return 0xFF; }

  private:
    std::uint8_t* Field(std::uint8_t cell) const;
    ConfigBitsState& state_;
};

// A unit's value: one byte, or a word high byte first.
std::uint32_t ReadUnit(const CellStore& store, const Unit& unit);
void WriteUnit(CellStore& store, const Unit& unit, std::uint32_t value);
// True when every byte of the unit lies in the store.
bool HasUnit(const CellStore& store, const Unit& unit);

// Writes choice `choice` of a writes text into the store.
void ApplyWrites(std::string_view writes, int choice, CellStore& store);

// The item a control opens with, -1 for none. `choices` is its item count
// (2 for a check box, whose item 1 is "checked"). An opens text that is
// empty derives the rule from the writes text.
int DecodeOpening(std::string_view opens, std::string_view writes, int choices, bool checkBox,
                  const CellStore& store);

}  // namespace karvo::config
