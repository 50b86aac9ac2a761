#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "catalogue/Family.h"

namespace karvo {

// One chip of a device data file: exactly 192 bytes, little-endian fields at
// fixed offsets. The raw bytes are kept as they came, so bytes the program
// gives no meaning travel with the record untouched.
class DeviceRecord {
  public:
    static constexpr std::size_t kSize = 192;
    using Bytes = std::array<std::uint8_t, kSize>;

    // Field offsets.
    enum Offset : std::size_t {
        kAlgorithm = 0,
        kFamily = 1,
        kDevName = 2,  // 20 bytes, NUL-terminated
        kVcc = 22,
        kVccMax = 26,
        kVpp = 34,
        kLastAddr = 38,
        kBusWidth = 43,
        kPinCount = 106,
        kManufId = 107,
        kDevId = 108,
        kDevId2 = 109,
        kConfigType = 110,
        kAlgoParam = 111,
        kBlankValue = 120,
        kEncryptInfo = 121,
        kEepromSize = 122,
        kConfigCount = 151,
        kConfigMask = 152,  // 32 bytes
        kDefaultOpts = 184,
        kOptionCaps = 186,
        kButtonCaps = 188,
        kButtonCaps2 = 189,
        kStepCaps = 190,
        kAdapter = 191,
    };
    static constexpr std::size_t kDevNameSize = 20;
    static constexpr std::size_t kConfigMaskSize = 32;

    DeviceRecord() : bytes_{} {}
    explicit DeviceRecord(const Bytes& bytes) : bytes_(bytes) {}

    const Bytes& Raw() const { return bytes_; }
    Bytes& MutableRaw() { return bytes_; }
    bool IsEmpty() const { return bytes_[kFamily] == 0; }

    std::uint8_t Algorithm() const { return bytes_[kAlgorithm]; }
    karvo::Family Family() const { return static_cast<karvo::Family>(bytes_[kFamily]); }
    std::string DevName() const { return Text(kDevName, kDevNameSize); }
    float Vcc() const { return Float(kVcc); }
    float VccMax() const { return Float(kVccMax); }
    float Vpp() const { return Float(kVpp); }
    std::int32_t LastAddr() const { return static_cast<std::int32_t>(U32(kLastAddr)); }
    std::uint16_t BusWidth() const { return U16(kBusWidth); }
    std::uint8_t PinCount() const { return bytes_[kPinCount]; }
    std::uint8_t ManufId() const { return bytes_[kManufId]; }
    std::uint8_t DevId() const { return bytes_[kDevId]; }
    std::uint8_t DevId2() const { return bytes_[kDevId2]; }
    std::uint8_t ConfigType() const { return bytes_[kConfigType]; }
    std::uint8_t AlgoParam() const { return bytes_[kAlgoParam]; }
    std::uint8_t BlankValue() const { return bytes_[kBlankValue]; }
    std::uint8_t EncryptInfo() const { return bytes_[kEncryptInfo]; }
    std::uint16_t EepromSize() const { return U16(kEepromSize); }
    std::uint8_t ConfigCount() const { return bytes_[kConfigCount]; }
    std::uint8_t ConfigMask(std::size_t i) const {
        return i < kConfigMaskSize ? bytes_[kConfigMask + i] : 0;
    }
    std::uint8_t DefaultOpts() const { return bytes_[kDefaultOpts]; }
    std::uint8_t OptionCaps() const { return bytes_[kOptionCaps]; }
    std::uint8_t ButtonCaps() const { return bytes_[kButtonCaps]; }
    std::uint8_t ButtonCaps2() const { return bytes_[kButtonCaps2]; }
    std::uint8_t StepCaps() const { return bytes_[kStepCaps]; }
    std::uint8_t Adapter() const { return bytes_[kAdapter]; }

    // Writers, for the catalogue compiler and tests; the program never
    // changes a loaded record.
    void SetU8(std::size_t offset, std::uint8_t v) { bytes_[offset] = v; }
    void SetU16(std::size_t offset, std::uint16_t v);
    void SetU32(std::size_t offset, std::uint32_t v);
    void SetFloat(std::size_t offset, float v);
    // Cut to size - 1 characters so a NUL always ends it.
    void SetText(std::size_t offset, std::size_t size, const std::string& text);

  private:
    std::uint16_t U16(std::size_t offset) const;
    std::uint32_t U32(std::size_t offset) const;
    float Float(std::size_t offset) const;
    std::string Text(std::size_t offset, std::size_t size) const;

    Bytes bytes_;
};

}  // namespace karvo
