#pragma once
#include <stdexcept>
#include <string>

#include "catalogue/ChipFacts.h"
#include "config/ConfigModel.h"
#include "support/CatalogueFixture.h"
#include "support/Devices.h"

namespace karvo::test {

// A configuration dialog's model on a blank buffer of one device, with the
// configuration words and ID bytes at hand by their place in the layout.
struct ConfigRig {
    explicit ConfigRig(const DeviceRecord& d,
                       std::span<const config::PageSet> sets = config::AllPageSets())
        : device(d), model(device, buffer, bits, sets) {
        buffer.AllocateForDevice(device);
        buffer.FillWithBlank(device);
    }
    // A part of the catalogue this tree ships (the microcontrollers' file
    // first, then the memories').
    static DeviceRecord Shipped(const std::string& name) {
        if (const auto record = ShippedMicro(name)) return *record;
        static const std::vector<DeviceRecord> memories = ShippedRecords("KARVO_e.usb");
        for (const DeviceRecord& r : memories) {
            if (r.DevName() == name) return r;
        }
        throw std::runtime_error(name + " is not in the shipped catalogue");
    }

    std::uint32_t Config() const { return PicAreasFor(device).configOffset; }
    std::uint32_t Ids() const { return PicAreasFor(device).idOffset; }
    void PutWord(int n, std::uint16_t value) {
        const std::uint32_t at = Config() + 2 * static_cast<std::uint32_t>(n - 1);
        buffer[at] = static_cast<std::uint8_t>(value >> 8);
        buffer[at + 1] = static_cast<std::uint8_t>(value);
    }
    std::uint16_t Word(int n) const {
        const std::uint32_t at = Config() + 2 * static_cast<std::uint32_t>(n - 1);
        return static_cast<std::uint16_t>((buffer[at] << 8) | buffer[at + 1]);
    }

    // Any stored unit by its name in the tables' notation: "w1", "1H" ...
    // in the buffer, "FuseLow" ... in ConfigBitsState.
    std::uint32_t Read(std::string_view unit) {
        const config::Unit& u = UnitNamed(unit);
        if (u.storage == config::Storage::BitsState) {
            return config::ReadUnit(config::BitsStateStore(bits), u);
        }
        return config::ReadUnit(config::PicAreaStore(buffer, device, Config()), u);
    }
    void Put(std::string_view unit, std::uint32_t value) {
        const config::Unit& u = UnitNamed(unit);
        if (u.storage == config::Storage::BitsState) {
            config::BitsStateStore store(bits);
            config::WriteUnit(store, u, value);
            return;
        }
        config::PicAreaStore store(buffer, device, Config());
        config::WriteUnit(store, u, value);
    }
    static const config::Unit& UnitNamed(std::string_view unit) {
        const int at = config::UnitIndex(unit);
        if (at < 0) throw std::runtime_error("no unit " + std::string(unit));
        return config::kUnits[static_cast<std::size_t>(at)];
    }

    ConfigModel& Open() {
        model.Open();
        return model;
    }
    // The control by name; a test that names one no shown page has fails
    // with the exception.
    const ConfigModel::Control& Get(const std::string& name) const {
        const auto at = Where(name);
        return model.Pages()[static_cast<std::size_t>(at.first)]
            .controls[static_cast<std::size_t>(at.second)];
    }
    void Click(const std::string& name, int choice) {
        const auto at = Where(name);
        model.Click(at.first, at.second, choice);
    }
    std::pair<int, int> Where(const std::string& name) const {
        const auto at = model.Find(name);
        if (!at) throw std::runtime_error("no control " + name + " on " + device.DevName());
        return *at;
    }
    std::string Label(const std::string& name) const {
        for (const auto& page : model.Pages()) {
            for (const auto& label : page.labels) {
                if (label.name == name) return label.text;
            }
        }
        return "(no " + name + ")";
    }

    DeviceRecord device;
    MemoryBuffer buffer;
    ConfigBitsState bits;
    ConfigModel model;
};

}  // namespace karvo::test
