#pragma once
#include <cstdint>
#include <string>

#include "firmware/Comm.h"
#include "firmware/DeviceData.h"
#include "firmware/FirmwareImage.h"
#include "ports/Clock.h"

namespace karvo {

// What the update window shows: its text lines and its bar. The sequence
// calls it from wherever it runs; the window's side brings each call to
// the user-interface thread.
class UpdateDisplay {
  public:
    virtual ~UpdateDisplay() = default;
    virtual void ClearDisplay() = 0;
    virtual void AppendLine(const std::string& line) = 0;
    virtual void SetProgress(int percent) = 0;
};

// The update itself, from the moment the bootloader appeared: open, query,
// import, erase, write, verify, sign and reset. Nothing is erased before the
// bootloader's layout and the image have both been accepted, and the
// programmer is reset only after a verify (and signature) that passed.
class UpdateSequence {
  public:
    UpdateSequence(Comm& comm, const FirmwareImage& image, UpdateDisplay& display, Clock& clock);

    // True when the programmer was written, verified and told to reset.
    bool Run();

    const Device& BootDevice() const { return device_; }

  private:
    bool Connect();
    bool Import();
    CommResult WriteDevice();
    CommResult EraseStep();
    CommResult Verify();
    // The page the signature sits in, read back after signing (family 1).
    bool SignedPageMatches();
    void Status(const std::string& name, CommResult result, std::int64_t startMs);
    void Line(const std::string& line) { display_.AppendLine(line); }
    Comm::Progress Bar();

    Comm& comm_;
    const FirmwareImage& image_;
    UpdateDisplay& display_;
    Clock& clock_;
    Device device_;
    DeviceData imageRegions_;
    int shownPercent_ = -1;
};

}  // namespace karvo
