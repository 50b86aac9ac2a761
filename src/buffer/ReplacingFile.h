#pragma once
#include <string>

#include "buffer/FileOutput.h"

namespace karvo {

// A file written beside its final name and renamed over it only once every
// byte is on the medium, so a save that fails half-way (disk full, a removed
// medium) leaves the file it would have replaced as it was.
class ReplacingFile final : public ByteSink {
  public:
    ReplacingFile() = default;
    ~ReplacingFile() override;  // an uncommitted temporary file is removed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // False when `path` cannot be written: its folder refuses a new file, it
    // names a folder, or it is an existing file without write permission.
    bool Create(const std::string& path);
    bool WriteAll(const std::uint8_t* bytes, std::size_t count) override;
    // Flushes to the medium and renames into place; false (and the old file
    // untouched) when any step fails.
    bool Commit();

  private:
    void Discard();

    int fd_ = -1;
    std::string target_;
    std::string temporary_;
};

}  // namespace karvo
