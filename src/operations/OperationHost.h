#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "buffer/MemoryBuffer.h"
#include "catalogue/DeviceRecord.h"
#include "link/THid.h"
#include "ports/Clock.h"
#include "settings/SettingsValues.h"

namespace karvo {

// What the operation engine needs of the main window and the application
// state. Everything here is used on the user-interface thread, except the
// shared flags and the link, buffer and device that the worker uses while the
// window is locked.
class OperationHost {
  public:
    virtual ~OperationHost() = default;
    virtual bool ProgrammerConnected() const = 0;
    virtual bool DeviceFilesPresent() const = 0;
    virtual void LogLine(const std::string& line) = 0;
    virtual void SetAllButtonsEnabled(bool selectToo) = 0;  // false: all eleven off
    virtual void ApplyButtonCaps() = 0;                     // and Select on
    // While an aborted operation is being finished: how far it is (0..100),
    // or -1 once it is done.
    virtual void ShowFinishing(int percent) = 0;
    virtual void PlayChimes() = 0;
    virtual void PlayError() = 0;
    virtual std::uint32_t UpdateChecksum() = 0;

    virtual THid& Link() = 0;
    virtual MemoryBuffer& Buffer() = 0;
    virtual const DeviceRecord& Device() const = 0;
    virtual OptionFlags& Options() = 0;
    virtual std::atomic<bool>& RunFlag() = 0;
    virtual std::atomic<std::uint8_t>& ErrorCount() = 0;
    virtual Clock& Time() = 0;
};

}  // namespace karvo
