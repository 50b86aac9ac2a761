// The save frame: the file written, replaced only when all of it was
// written, and what the user is told when that fails.
#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>

#include "buffer/FileFormatModel.h"
#include "buffer/ReplacingFile.h"
#include "support/FileTestSupport.h"

namespace karvo::test {
namespace {

namespace fs = std::filesystem;

const DeviceRecord kEprom2K = DeviceBuilder('E', 0x7FF);
const DeviceRecord kEprom128K = DeviceBuilder('E', 0x1FFFF);

struct Saver {
    explicit Saver(const DeviceRecord& part) : device(part), buffer(PatternBuffer(part)) {}
    SaveEnd Save(const std::string& path, FileFormat format, std::uint32_t start,
                 std::uint32_t end) {
        return SaveFile(path, {format, start, end}, buffer, device, progress, host);
    }
    const DeviceRecord& device;
    MemoryBuffer buffer;
    RecordingHost host;
    RecordingProgress progress;
};

// Writes beyond `bytes` fail with EFBIG, as on a full disk, for the life of
// the object.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(SaveFile, WritesTheFormatIntoTheFile) {
    ScratchDir dir;
    Saver s(kEprom2K);
    for (const FileFormat format :
         {FileFormat::FormatIntelHex, FileFormat::FormatMotorola, FileFormat::FormatBinary}) {
        const std::string path = dir.Path("out");
        EXPECT_EQ(s.Save(path, format, 0, 0x7FF), SaveEnd::Saved);
        EXPECT_EQ(ScratchDir::ReadWhole(path), WriteText(format, s.buffer, kEprom2K, 0, 0x7FF));
    }
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"out"}));
    EXPECT_EQ(s.host.fileErrors, 0);
    EXPECT_TRUE(s.host.lines.empty());
    EXPECT_EQ(s.progress.captions, std::vector<std::string>(3, " Saving File......."));
    EXPECT_EQ(s.progress.closes, 3);
}

TEST(SaveFile, BinaryRangeIsExactlyItsBytes) {
    ScratchDir dir;
    Saver s(kEprom2K);
    EXPECT_EQ(s.Save(dir.Path("r.bin"), FileFormat::FormatBinary, 0x100, 0x1FF), SaveEnd::Saved);
    const std::string bytes = dir.Read("r.bin");
    ASSERT_EQ(bytes.size(), 256u);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[0]), s.buffer[0x100]);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[255]), s.buffer[0x1FF]);
}

TEST(SaveFile, ReplacingAFileKeepsItsPermissions) {
    ScratchDir dir;
    const std::string path = dir.Write("keep.hex", "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    Saver s(kEprom2K);
    EXPECT_EQ(s.Save(path, FileFormat::FormatIntelHex, 0, 0xF), SaveEnd::Saved);
    EXPECT_EQ(dir.Read("keep.hex").substr(0, 9), ":10000000");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(SaveFile, ThroughALinkTheLinkedFileChanges) {
    ScratchDir dir;
    const std::string target = dir.Write("real.bin", "old");
    fs::create_symlink(target, dir.Path("link.bin"));
    Saver s(kEprom2K);
    EXPECT_EQ(s.Save(dir.Path("link.bin"), FileFormat::FormatBinary, 0, 3), SaveEnd::Saved);
    EXPECT_TRUE(fs::is_symlink(dir.Path("link.bin")));
    EXPECT_EQ(dir.Read("real.bin").size(), 4u);
}

// Through a link to a file that does not exist yet, the file is created where
// the link points and the link stays a link.
TEST(SaveFile, ThroughADanglingLinkTheLinkedFileIsCreated) {
    ScratchDir dir;
    fs::create_directories(dir.Path("sub"));
    fs::create_symlink("sub/new.bin", dir.Path("link.bin"));
    Saver s(kEprom2K);
    EXPECT_EQ(s.Save(dir.Path("link.bin"), FileFormat::FormatBinary, 0, 3), SaveEnd::Saved);
    EXPECT_TRUE(fs::is_symlink(dir.Path("link.bin")));
    EXPECT_EQ(dir.Read("sub/new.bin").size(), 4u);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"link.bin", "sub"}));
}

// A save killed while writing leaves no file with a name; hidden files that
// killed saves of older versions left beside the target are removed, those
// of a running process are not.
TEST(SaveFile, NoTemporaryFileIsLeftAndStaleOnesAreRemoved) {
    ScratchDir dir;
    const std::string stale = dir.Write(".out.hex.karvo-999999999-3", "stale");
    const std::string live =
        dir.Write(".out.hex.karvo-" + std::to_string(::getppid()) + "-1", "in use");
    const std::string other = dir.Write(".other.hex.karvo-999999999-3", "not ours to judge");
    {
        ReplacingFile file;
        ASSERT_TRUE(file.Create(dir.Path("out.hex")));
        const std::uint8_t bytes[] = {1, 2, 3};
        ASSERT_TRUE(file.WriteAll(bytes, sizeof bytes));
        // Killed here: nothing of this save has a name yet.
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{fs::path(other).filename().string(),
                                                         fs::path(live).filename().string()}));
    }
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(other));
}

TEST(SaveFile, DiskFullHalfWayKeepsTheOldFileAndSaysFileError) {
    ScratchDir dir;
    const std::string path = dir.Write("big.hex", "the previous contents");
    Saver s(kEprom128K);
    SaveEnd end = SaveEnd::Saved;
    {
        FileSizeLimit limit(100 * 1024);
        end = s.Save(path, FileFormat::FormatIntelHex, 0, 0x1FFFF);
    }
    EXPECT_EQ(end, SaveEnd::WriteFailed);
    EXPECT_EQ(s.host.fileErrors, 1);
    EXPECT_EQ(dir.Read("big.hex"), "the previous contents");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"big.hex"}));  // no temporary left
    EXPECT_EQ(s.progress.closes, 1);
}

TEST(SaveFile, DiskFullForANewFileLeavesNoFile) {
    ScratchDir dir;
    Saver s(kEprom128K);
    SaveEnd end = SaveEnd::Saved;
    {
        FileSizeLimit limit(64 * 1024);
        end = s.Save(dir.Path("new.mot"), FileFormat::FormatMotorola, 0, 0x1FFFF);
    }
    EXPECT_EQ(end, SaveEnd::WriteFailed);
    EXPECT_EQ(s.host.fileErrors, 1);
    EXPECT_TRUE(dir.Names().empty());
}

TEST(SaveFile, AFileThatCannotBeCreatedSaysFileError) {
    ScratchDir dir;
    fs::create_directory(dir.Path("folder"));
    Saver s(kEprom2K);
    EXPECT_EQ(s.Save(dir.Path("missing/x.hex"), FileFormat::FormatIntelHex, 0, 0x7FF),
              SaveEnd::NotCreated);
    EXPECT_EQ(s.Save(dir.Path("folder"), FileFormat::FormatIntelHex, 0, 0x7FF),
              SaveEnd::NotCreated);
    EXPECT_EQ(s.host.fileErrors, 2);
    EXPECT_EQ(s.progress.opens, 0);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"folder"}));
    EXPECT_TRUE(fs::is_empty(dir.Path("folder")));
}

TEST(SaveFile, ARangeTheBufferDoesNotHoldIsRefusedBeforeAnything) {
    ScratchDir dir;
    Saver s(kEprom2K);  // 64 KiB after activation
    EXPECT_EQ(s.Save(dir.Path("a"), FileFormat::FormatIntelHex, 0x200, 0x1FF),
              SaveEnd::RangeRefused);
    EXPECT_EQ(s.Save(dir.Path("a"), FileFormat::FormatBinary, 0, 0x10000), SaveEnd::RangeRefused);
    EXPECT_EQ(s.Save(dir.Path("a"), FileFormat::FormatBinary, 0xFFFF, 0xFFFF), SaveEnd::Saved);
    EXPECT_EQ(s.host.fileErrors, 0);
    EXPECT_EQ(dir.Read("a").size(), 1u);
}

TEST(SaveFile, AFormatThatCannotHoldThePartMakesNoFile) {
    ScratchDir dir;
    Saver s(kEprom2K);
    EXPECT_EQ(s.Save(dir.Path("a"), FileFormat::FormatJedec, 0, 0x7FF), SaveEnd::Refused);
    EXPECT_TRUE(dir.Names().empty());
}

TEST(SaveRangeCheck, MessagesForTheDialog) {
    MemoryBuffer buffer;
    buffer.AllocateForDevice(kEprom2K);
    EXPECT_EQ(SaveRangeProblem({0x10, 0xF}, buffer), "'Stop' has to be at least 'Start'");
    EXPECT_EQ(SaveRangeProblem({0, 0x10000}, buffer),
              "'Stop' has to be at most FFFF, the end of the buffer");
    EXPECT_EQ(SaveRangeProblem({0x10, 0x10}, buffer), std::nullopt);
    EXPECT_EQ(SaveRangeProblem({0, 0xFFFF}, buffer), std::nullopt);
}

}  // namespace
}  // namespace karvo::test
