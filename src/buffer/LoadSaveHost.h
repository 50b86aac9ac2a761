#pragma once
#include <cstdint>
#include <string>

namespace karvo {

// What loading and saving need of the main window: the message log, the
// "File ERROR" box, the error sound and the checksum label.
class LoadSaveHost {
  public:
    virtual ~LoadSaveHost() = default;
    virtual void LogLine(const std::string& line) = 0;
    // The warning box "File ERROR", without a caption.
    virtual void ShowFileError() = 0;
    // An error box: the chosen format cannot hold the selected part.
    virtual void ShowRefusal(const std::string& text) = 0;
    virtual void PlayError() = 0;
    // Recomputes the buffer's checksum and shows it.
    virtual std::uint32_t UpdateChecksum() = 0;
};

}  // namespace karvo
