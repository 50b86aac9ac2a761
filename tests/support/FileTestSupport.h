#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "buffer/FileProgress.h"
#include "buffer/LoadFile.h"
#include "buffer/LoadSaveHost.h"
#include "buffer/SaveFile.h"
#include "support/Devices.h"

namespace karvo::test {

using Lines = std::vector<std::string>;

// A folder of its own for each test, removed afterwards. The current
// directory is left alone.
class ScratchDir {
  public:
    ScratchDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("karvo-files-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" +
                info->name() + "-" + std::to_string(counter_++));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string Dir() const { return dir_.string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return Path(name);
    }
    std::string Read(const std::string& name) const { return ReadWhole(Path(name)); }
    static std::string ReadWhole(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Names in the folder, to see that no temporary file was left behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    static inline int counter_ = 0;
    std::filesystem::path dir_;
};

struct RecordingHost final : LoadSaveHost {
    Lines lines;
    int fileErrors = 0;
    int errorSounds = 0;
    int checksums = 0;
    std::vector<std::string> refusals;
    void LogLine(const std::string& line) override { lines.push_back(line); }
    void ShowFileError() override { ++fileErrors; }
    void ShowRefusal(const std::string& text) override { refusals.push_back(text); }
    void PlayError() override { ++errorSounds; }
    std::uint32_t UpdateChecksum() override { return static_cast<std::uint32_t>(++checksums); }
};

struct RecordingProgress final : FileProgressPort {
    std::vector<std::string> captions;
    std::vector<int> positions;
    int opens = 0;
    int closes = 0;
    void Open(const std::string& caption) override {
        captions.push_back(caption);
        ++opens;
    }
    void SetPosition(int percent) override { positions.push_back(percent); }
    void Close() override { ++closes; }
};

// One load of `text` as a file, with everything it told the user.
struct LoadRun {
    LoadOutcome outcome;
    MemoryBuffer buffer;
    RecordingHost host;
    RecordingProgress progress;

    std::uint8_t At(std::uint32_t offset) const { return buffer[offset]; }
    std::vector<std::uint8_t> Bytes(std::uint32_t offset, std::uint32_t count) const {
        return {buffer.Data() + offset, buffer.Data() + offset + count};
    }
};

inline std::unique_ptr<LoadRun> LoadText(const DeviceRecord& device, const std::string& text,
                                         LoadRequest request = {},
                                         const std::string& path = "/files/test.hex") {
    auto run = std::make_unique<LoadRun>();
    MemorySource source({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    run->outcome =
        LoadFromSource(source, path, request, run->buffer, device, run->progress, run->host);
    return run;
}

inline LoadRequest Format(FileFormat format, FillChoice fill = FillChoice::DeviceDefault,
                          std::int64_t offset = 0) {
    return {format, fill, offset};
}

// The buffer after a device was activated and filled with a known pattern:
// byte i is (i * 7 + (i >> 8) + (i >> 16) * 0x35) & 0xFF, so every 256-byte
// page and every 64 KiB differ.
inline MemoryBuffer PatternBuffer(const DeviceRecord& device) {
    MemoryBuffer buffer;
    buffer.AllocateForDevice(device);
    for (std::uint32_t i = 0; i < buffer.Allocated; ++i) {
        buffer[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8) + (i >> 16) * 0x35);
    }
    return buffer;
}

// The text a writer produces for the range.
inline std::string WriteText(FileFormat format, const MemoryBuffer& buffer,
                             const DeviceRecord& device, std::uint32_t start, std::uint32_t end,
                             RecordingProgress* progress = nullptr) {
    StringSink sink;
    RecordingHost host;
    RecordingProgress ignored;
    EXPECT_TRUE(WriteFileFormat(sink, {format, start, end}, buffer, device,
                                progress ? *progress : ignored, host));
    return sink.text;
}

inline std::vector<std::string> SplitLines(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t stop = text.find(end, start);
        if (stop == std::string::npos) {
            lines.push_back(text.substr(start) + "<no line end>");
            break;
        }
        lines.push_back(text.substr(start, stop - start));
        start = stop + end.size();
    }
    return lines;
}

}  // namespace karvo::test
