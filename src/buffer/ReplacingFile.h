#pragma once
#include <string>

#include "buffer/FileOutput.h"

namespace karvo {

// A file written beside its final name and put in its place only once every
// byte is on the medium, so a save that fails half-way (disk full, a removed
// medium) leaves the file it would have replaced as it was. The file has no
// name until then where the system allows it, so a save killed half-way
// leaves nothing behind either; hidden names of ours that an older killed
// save left are removed.
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
    // Gives the unnamed file its target's name.
    bool NameUnnamedFile();

    int fd_ = -1;
    std::string target_;
    std::string temporary_;
};

}  // namespace karvo
