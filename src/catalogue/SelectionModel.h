#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ports/PromptPort.h"

namespace karvo {

// What the device selection dialog shows and how its clicks change the
// remembered data file, manufacturer and device. The dialog only renders it.
class SelectionModel {
  public:
    enum Family { kEprom = 0, kEEprom, kSerialEEprom, kMicro, kPld };
    static constexpr int kFamilyCount = 5;
    static constexpr std::array<const char*, kFamilyCount> kFamilyCaptions = {
        "Eprom", "EEprom", "Serial EEprom", "Micro Controllers", "Pld / Bipolar"};

    // Bits of the parts argument of ListDataFile.
    static constexpr int kManufacturerList = 1;
    static constexpr int kDeviceList = 2;

    SelectionModel(std::string& dataFileName, std::int32_t& manufIndex, std::int32_t& deviceIndex,
                   std::uint8_t deviceFilesPresent, PromptPort& prompts);

    // Before the dialog is shown: family buttons and both lists.
    void Prepare();
    void ClickFamily(int family);
    void ClickManufacturer(int index);
    void ClickDevice(int index);

    // Fills the lists from the current data file; parts = kManufacturerList
    // and/or kDeviceList.
    void ListDataFile(int parts);

    bool FamilyEnabled(int family) const { return enabled_[static_cast<std::size_t>(family)]; }
    // The checked family button, -1 when none.
    int CheckedFamily() const { return checked_; }
    const std::vector<std::string>& Manufacturers() const { return manufacturers_; }
    const std::vector<std::string>& Devices() const { return devices_; }
    int SelectedManufacturer() const { return selectedManufacturer_; }
    int SelectedDevice() const { return selectedDevice_; }
    bool ListsReady() const { return listsReady_; }
    // Both indexes point at a listed device: OK can activate it.
    bool HasValidSelection() const;

    std::string DataFileName() const { return dataFileName_; }
    std::int32_t ManufIndex() const { return manufIndex_; }
    std::int32_t DeviceIndex() const { return deviceIndex_; }

  private:
    std::string& dataFileName_;
    std::int32_t& manufIndex_;
    std::int32_t& deviceIndex_;
    std::uint8_t filesPresent_;
    PromptPort& prompts_;

    std::array<bool, kFamilyCount> enabled_{};
    int checked_ = kEprom;
    bool listsReady_ = false;
    std::vector<std::string> manufacturers_;
    std::vector<std::string> devices_;
    int selectedManufacturer_ = -1;
    int selectedDevice_ = -1;
};

}  // namespace karvo
