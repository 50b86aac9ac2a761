#pragma once
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

#include "catalogue/DeviceDataFile.h"
#include "support/Devices.h"

namespace karvo::test {

// A scratch program directory holding small device data files; it is the
// current directory while the fixture lives.
class ScratchProgramDir {
  public:
    ScratchProgramDir() {
        dir_ = std::filesystem::temp_directory_path() /
               ("karvo-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        std::filesystem::create_directories(dir_);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }
    ~ScratchProgramDir() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }
    ScratchProgramDir(const ScratchProgramDir&) = delete;
    ScratchProgramDir& operator=(const ScratchProgramDir&) = delete;

    void Write(const std::string& name, const std::vector<DeviceDataFile::Entry>& entries) {
        const auto bytes = DeviceDataFile::Build(entries);
        std::ofstream(dir_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    std::string Path() const { return dir_.string(); }

  private:
    static inline int counter_ = 0;
    std::filesystem::path dir_;
    std::filesystem::path previous_;
};

// Every record of a data file this tree ships ("KARVO_e.usb", "KARVO_m.usb").
inline std::vector<DeviceRecord> ShippedRecords(const std::string& file) {
    std::vector<DeviceRecord> records;
    const auto data = DeviceDataFile::Open(std::string(KARVO_BIN_DIR) + "/" + file);
    if (!data) return records;
    for (std::size_t m = 0; m < data->Manufacturers().size(); ++m) {
        for (std::size_t d = 0; d < data->Manufacturers()[m].deviceCount; ++d) {
            if (auto r = data->Record(m, d)) records.push_back(*r);
        }
    }
    return records;
}

// A microcontroller of the catalogue this tree ships, by its name.
inline std::optional<DeviceRecord> ShippedMicro(const std::string& name) {
    static const std::vector<DeviceRecord> micros = ShippedRecords("KARVO_m.usb");
    for (const DeviceRecord& r : micros) {
        if (r.DevName() == name) return r;
    }
    return std::nullopt;
}

}  // namespace karvo::test
