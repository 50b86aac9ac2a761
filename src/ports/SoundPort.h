#pragma once
#include <string>

namespace karvo {

enum class SoundResult { Started, DeviceError };

// Plays one WAV file without waiting for its end. The file name is relative to
// the current directory (the program directory). DeviceError covers anything
// that makes sound impossible: no output device, a missing or unreadable file.
class SoundPort {
  public:
    virtual ~SoundPort() = default;
    virtual SoundResult Play(const std::string& fileName) = 0;
};

}  // namespace karvo
