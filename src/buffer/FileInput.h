#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

namespace karvo {

// A read that failed part-way (the medium went away, an I/O error). It ends
// the load with the "File ERROR" box.
class FileReadError : public std::runtime_error {
  public:
    FileReadError() : std::runtime_error("File ERROR") {}
};

// The file ended inside a record: it is not a complete file of the format
// being read, which the reader reports as its not-this-format result.
class FileEndedInRecord : public std::runtime_error {
  public:
    FileEndedInRecord() : std::runtime_error("file ended inside a record") {}
};

// Where the bytes of a file come from: the file itself, or memory for the
// fuzzers and for tests that need a medium to fail at a chosen byte.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Fills up to `capacity` bytes; 0 at the end; throws FileReadError.
    virtual std::size_t ReadSome(std::uint8_t* into, std::size_t capacity) = 0;
};

// An open file. Open() refuses what cannot be read as a file (missing,
// unreadable, a directory) before anything else happens.
class FdSource final : public ByteSource {
  public:
    static std::unique_ptr<FdSource> Open(const std::string& path);
    ~FdSource() override;
    FdSource(const FdSource&) = delete;
    FdSource& operator=(const FdSource&) = delete;
    std::uint64_t Size() const override { return size_; }
    std::size_t ReadSome(std::uint8_t* into, std::size_t capacity) override;

  private:
    FdSource(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    int fd_;
    std::uint64_t size_;
};

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    std::size_t ReadSome(std::uint8_t* into, std::size_t capacity) override;

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// Character-at-a-time reading with the file read in large blocks, so the
// readers can follow their rules byte by byte at full speed.
class FileInput {
  public:
    static constexpr int kEnd = -1;

    explicit FileInput(ByteSource& source);

    std::uint64_t Size() const { return source_.Size(); }
    // The next byte, or kEnd at the end of the file.
    int Get() { return next_ != end_ ? *next_++ : Refill(); }
    // The next byte of a record that must go on: the end of the file here
    // throws FileEndedInRecord.
    std::uint8_t GetInRecord() {
        const int c = Get();
        if (c == kEnd) throw FileEndedInRecord();
        return static_cast<std::uint8_t>(c);
    }
    // Up to `capacity` bytes; fewer only at the end of the file.
    std::size_t Read(std::uint8_t* into, std::size_t capacity);

  private:
    int Refill();

    ByteSource& source_;
    std::unique_ptr<std::uint8_t[]> block_;  // not cleared: it is always read into first
    const std::uint8_t* next_ = nullptr;
    const std::uint8_t* end_ = nullptr;
};

}  // namespace karvo
