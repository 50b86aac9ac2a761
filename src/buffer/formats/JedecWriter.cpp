#include "buffer/formats/JedecWriter.h"

#include <algorithm>
#include <vector>

#include <fmt/format.h>

#include "buffer/formats/JedecFuseMap.h"

namespace karvo {

namespace {
constexpr char kStx = 0x02;
constexpr std::string_view kLineEnd = "\r\n";

class FuseRows {
  public:
    explicit FuseRows(SaveContext& save) : save_(save), data_(save.buffer.Data()) {}

    std::uint32_t next = 0;  // the first fuse not yet written

    bool Fuse(std::uint32_t f) const { return f < save_.buffer.Allocated && FuseIsSet(data_[f]); }

    // One *L field of `count` fuses from the next one on.
    void Row(std::uint32_t count) {
        std::string line = fmt::format("*L{:05d} ", next);
        for (std::uint32_t i = 0; i < count; ++i) line += Fuse(next + i) ? '1' : '0';
        line += kLineEnd;
        save_.out.Write(line);
        next += count;
        save_.progress.Update(next);
    }
    void RowUpTo(std::uint32_t end) {
        if (next < end) Row(end - next);
    }

  private:
    SaveContext& save_;
    const std::uint8_t* data_;
};

// Bytes of the user electronic signature as text where they are printable,
// in hexadecimal where not. "*" would end the field and '"' the quoted text,
// so they go in hexadecimal too.
std::string UesText(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    bool quoted = false;
    for (const std::uint8_t b : bytes) {
        const bool printable = b >= 0x20 && b <= 0x7E && b != '*' && b != '"';
        if (printable) {
            if (!quoted) text += " \"";
            text += static_cast<char>(b);
        } else {
            if (quoted) text += '"';
            text += fmt::format(" {:02X} ", b);
        }
        quoted = printable;
    }
    return text;
}
}  // namespace

void JedecWriter::Write(SaveContext& save) {
    const std::optional<JedecFuseMap> map = JedecFuseMapFor(save.device);
    if (!map) return;  // refused before the file was made
    const algorithm::FuseMapLayout& layout = map->layout;
    FileOutput& out = save.out;

    out.Put(kStx);
    out.Write(fmt::format("\r\nJedec File for {}\r\n", save.device.DevName()));
    out.Write(fmt::format("*QP{}\r\n*QF{}\r\n*QV0\r\n*F0\r\n*G0\r\n*X0\r\n", save.device.PinCount(),
                          map->fuses));

    FuseRows rows(save);
    for (const algorithm::FuseRowRun& run : layout.runs) {
        for (std::uint32_t r = 0; r < run.rows; ++r) rows.Row(run.fusesPerRow);
    }
    if (layout.uesBytes != 0) {
        rows.RowUpTo(layout.firstUesFuse);
        std::vector<std::uint8_t> ues(layout.uesBytes, 0);
        for (std::uint32_t j = 0; j < ues.size(); ++j) {
            for (std::uint32_t k = 0; k < 8; ++k) {
                if (rows.Fuse(layout.firstUesFuse + 8 * j + k)) ues[j] |= 1u << k;
            }
        }
        out.Write("*N UES" + UesText(ues) + std::string(kLineEnd));
        rows.Row(8u * layout.uesBytes);
    }
    rows.RowUpTo(map->fuses);

    // Nothing fills the programmer's electronic signature yet.
    std::string pes = "*N PES";
    for (std::uint32_t i = 0; i < layout.pesBytes; ++i) pes += " 00";
    out.Write(pes + std::string(kLineEnd));
    const std::uint32_t sum =
        FuseChecksum(save.buffer.Data(), std::min(map->fuses, save.buffer.Allocated));
    out.Write(fmt::format("*C{:04X}\r\n", sum & 0xFFFF));
    save.host.UpdateChecksum();
}

const char* JedecWriter::Refusal(const DeviceRecord& device) const {
    return JedecRefusal(device);
}

}  // namespace karvo
