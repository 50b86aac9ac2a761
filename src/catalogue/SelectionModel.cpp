#include "catalogue/SelectionModel.h"

#include "catalogue/DataFileNames.h"
#include "catalogue/DeviceDataFile.h"

namespace karvo {

SelectionModel::SelectionModel(std::string& dataFileName, std::int32_t& manufIndex,
                               std::int32_t& deviceIndex, std::uint8_t deviceFilesPresent,
                               PromptPort& prompts)
    : dataFileName_(dataFileName),
      manufIndex_(manufIndex),
      deviceIndex_(deviceIndex),
      filesPresent_(deviceFilesPresent),
      prompts_(prompts) {}

void SelectionModel::Prepare() {
    listsReady_ = false;
    checked_ = kEprom;
    enabled_ = {};
    // Only the program's own two data files are ever opened, whatever name
    // was remembered.
    if (dataFileName_ != kEpromFileName && dataFileName_ != kMicroFileName) dataFileName_.clear();
    if (filesPresent_ & kEpromFileBit) {
        enabled_[kEEprom] = true;
        if (dataFileName_.empty()) dataFileName_ = kEpromFileName;
        if (dataFileName_ == kEpromFileName) checked_ = kEEprom;
    }
    if (filesPresent_ & kMicroFileBit) {
        enabled_[kMicro] = true;
        if (dataFileName_.empty()) dataFileName_ = kMicroFileName;
        if (dataFileName_ == kMicroFileName) checked_ = kMicro;
    }
    ListDataFile(kManufacturerList | kDeviceList);
    listsReady_ = true;
}

void SelectionModel::ClickFamily(int family) {
    if (family < 0 || family >= kFamilyCount || !enabled_[static_cast<std::size_t>(family)]) return;
    checked_ = family;
    if (family == kEEprom) dataFileName_ = kEpromFileName;
    if (family == kMicro) dataFileName_ = kMicroFileName;
    if (listsReady_) {
        manufIndex_ = 0;
        deviceIndex_ = 0;
    }
    ListDataFile(kManufacturerList | kDeviceList);
}

void SelectionModel::ClickManufacturer(int index) {
    if (index < 0 || index >= static_cast<int>(manufacturers_.size())) return;
    manufIndex_ = index;
    selectedManufacturer_ = index;
    deviceIndex_ = 0;
    ListDataFile(kDeviceList);
}

void SelectionModel::ClickDevice(int index) {
    if (index < 0 || index >= static_cast<int>(devices_.size())) return;
    deviceIndex_ = index;
    selectedDevice_ = index;
}

bool SelectionModel::HasValidSelection() const {
    return manufIndex_ >= 0 && deviceIndex_ >= 0 &&
           manufIndex_ < static_cast<std::int32_t>(manufacturers_.size()) &&
           deviceIndex_ < static_cast<std::int32_t>(devices_.size());
}

void SelectionModel::ListDataFile(int parts) {
    const auto file = DeviceDataFile::Open(dataFileName_);
    if (!file) {
        prompts_.ShowMessage(BoxKind::Error, " File Not Found ", dataFileName_);
        manufacturers_.clear();
        devices_.clear();
        selectedManufacturer_ = selectedDevice_ = -1;
        manufIndex_ = deviceIndex_ = -1;
        return;
    }
    if (parts & kManufacturerList) {
        manufacturers_.clear();
        for (const auto& m : file->Manufacturers()) manufacturers_.push_back(m.name);
        // A remembered index beyond this file (a newer or older catalogue, an
        // edited settings file) starts from the first entry instead.
        if (manufIndex_ < 0 || manufIndex_ >= static_cast<std::int32_t>(manufacturers_.size())) {
            manufIndex_ = manufacturers_.empty() ? -1 : 0;
            deviceIndex_ = 0;
        }
    }
    if (parts & kDeviceList) {
        devices_ = manufIndex_ >= 0 ? file->DeviceNames(static_cast<std::size_t>(manufIndex_))
                                    : std::vector<std::string>();
        if (deviceIndex_ < 0 || deviceIndex_ >= static_cast<std::int32_t>(devices_.size())) {
            deviceIndex_ = devices_.empty() ? -1 : 0;
        }
    }
    auto select = [](std::int32_t index, const std::vector<std::string>& list) {
        return index >= 0 && index < static_cast<std::int32_t>(list.size()) ? index : -1;
    };
    if (parts & kManufacturerList) selectedManufacturer_ = select(manufIndex_, manufacturers_);
    if (parts & kDeviceList) selectedDevice_ = select(deviceIndex_, devices_);
}

}  // namespace karvo
