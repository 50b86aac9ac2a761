#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "buffer/HexText.h"

namespace karvo {

// Where written bytes end up. WriteAll is all or nothing for the caller:
// false means the bytes did not all reach the medium.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual bool WriteAll(const std::uint8_t* bytes, std::size_t count) = 0;
};

// Everything written kept in memory (writers' tests, the fuzzers).
class StringSink final : public ByteSink {
  public:
    bool WriteAll(const std::uint8_t* bytes, std::size_t count) override {
        text.append(reinterpret_cast<const char*>(bytes), count);
        return true;
    }
    std::string text;
};

// The writers' output: collected in blocks and handed to the sink a block at
// a time. The first failure is kept, later writes are dropped, and Finish()
// tells whether everything arrived.
class FileOutput {
  public:
    static constexpr std::size_t kBlockSize = std::size_t{64} * 1024;

    explicit FileOutput(ByteSink& sink);

    void Put(char c) {
        if (next_ == kBlockSize) Flush();
        block_[next_++] = static_cast<std::uint8_t>(c);
    }
    void Write(std::string_view text) {
        for (const char c : text) Put(c);
    }
    void WriteBytes(const std::uint8_t* bytes, std::size_t count);
    // Hands on what is still held; false when any write failed.
    bool Finish();
    bool Failed() const { return failed_; }

  private:
    void Flush();

    ByteSink& sink_;
    std::unique_ptr<std::uint8_t[]> block_;  // not cleared: written before it is read
    std::size_t next_ = 0;
    bool failed_ = false;
};

// The byte as two upper-case hexadecimal digits.
inline void WriteHexByte(FileOutput& out, std::uint8_t byte) {
    out.Put(hex_detail::kUpperDigits[byte >> 4]);
    out.Put(hex_detail::kUpperDigits[byte & 0x0F]);
}

}  // namespace karvo
