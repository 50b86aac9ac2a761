#pragma once
#include <string>

#include "catalogue/DeviceRecord.h"

namespace karvo::test {

// A device record built field by field, for tests that need a particular chip
// shape without a data file.
struct DeviceBuilder {
    DeviceRecord record;
    DeviceBuilder(char family, std::uint32_t lastAddr, const std::string& name = "TEST") {
        record.SetU8(DeviceRecord::kFamily, static_cast<std::uint8_t>(family));
        record.SetU32(DeviceRecord::kLastAddr, lastAddr);
        record.SetText(DeviceRecord::kDevName, DeviceRecord::kDevNameSize, name);
        record.SetU8(DeviceRecord::kBlankValue, 0xFF);
    }
    DeviceBuilder& Algorithm(std::uint8_t v) { return U8(DeviceRecord::kAlgorithm, v); }
    DeviceBuilder& ConfigType(std::uint8_t v) { return U8(DeviceRecord::kConfigType, v); }
    DeviceBuilder& Blank(std::uint8_t v) { return U8(DeviceRecord::kBlankValue, v); }
    DeviceBuilder& Ids(std::uint8_t manuf, std::uint8_t dev, std::uint8_t dev2 = 0) {
        U8(DeviceRecord::kManufId, manuf);
        U8(DeviceRecord::kDevId, dev);
        return U8(DeviceRecord::kDevId2, dev2);
    }
    DeviceBuilder& Eeprom(std::uint16_t v) {
        record.SetU16(DeviceRecord::kEepromSize, v);
        return *this;
    }
    DeviceBuilder& BusWidth(std::uint16_t v) {
        record.SetU16(DeviceRecord::kBusWidth, v);
        return *this;
    }
    DeviceBuilder& ConfigMask(std::initializer_list<std::uint8_t> masks) {
        std::size_t i = 0;
        for (std::uint8_t m : masks) record.SetU8(DeviceRecord::kConfigMask + i++, m);
        return U8(DeviceRecord::kConfigCount, static_cast<std::uint8_t>(masks.size()));
    }
    DeviceBuilder& Caps(std::uint8_t buttons, std::uint8_t buttons2) {
        U8(DeviceRecord::kButtonCaps, buttons);
        return U8(DeviceRecord::kButtonCaps2, buttons2);
    }
    DeviceBuilder& U8(std::size_t offset, std::uint8_t v) {
        record.SetU8(offset, v);
        return *this;
    }
    operator DeviceRecord() const { return record; }  // NOLINT: a builder converts freely
};

// An 8051 with signature, chip erase, lock bits and the ID check on, as the
// catalogue has it.
inline DeviceRecord At89S52() {
    DeviceBuilder b('M', 0x1FFF, "AT89S52");
    b.Algorithm(14).Ids(0x1E, 0x52, 0x06).Caps(0xF7, 0x05);
    b.U8(DeviceRecord::kOptionCaps, 0x04).U8(DeviceRecord::kDefaultOpts, 0x04);
    b.U8(DeviceRecord::kStepCaps, 0x4F);
    return b;
}

}  // namespace karvo::test
