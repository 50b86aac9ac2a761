// The load and save code alone, without the program's start-up, as one
// process per conversion like srec_cat and objcopy:
//   karvo_file_convert load intel|motorola IN OUT.bin   (text -> buffer -> binary)
//   karvo_file_convert save intel|motorola IN.bin OUT   (binary -> buffer -> text)
// The buffer is that of a 2 MiB byte-wide part.
#include <cstdio>
#include <cstring>
#include <string>

#include "buffer/LoadFile.h"
#include "buffer/SaveFile.h"

namespace {

struct PrintingHost final : karvo::LoadSaveHost {
    void LogLine(const std::string& line) override { lines += line + "\n"; }
    void ShowFileError() override { lines += "File ERROR\n"; }
    void ShowRefusal(const std::string& text) override { lines += text + "\n"; }
    void PlayError() override {}
    std::uint32_t UpdateChecksum() override { return 0; }
    std::string lines;
};

}  // namespace

int main(int argc, char** argv) {
    using namespace karvo;
    if (argc != 5 || (std::strcmp(argv[1], "load") != 0 && std::strcmp(argv[1], "save") != 0)) {
        std::fputs("usage: karvo_file_convert load|save intel|motorola IN OUT\n", stderr);
        return 2;
    }
    const bool load = std::strcmp(argv[1], "load") == 0;
    const FileFormat text = std::strcmp(argv[2], "motorola") == 0 ? FileFormat::FormatMotorola
                                                                  : FileFormat::FormatIntelHex;
    DeviceRecord part;
    part.SetU8(DeviceRecord::kFamily, 'E');
    part.SetU32(DeviceRecord::kLastAddr, 0x1FFFFF);
    part.SetU8(DeviceRecord::kBlankValue, 0xFF);

    MemoryBuffer buffer;
    NoFileProgress progress;
    PrintingHost host;
    const FileFormat from = load ? text : FileFormat::FormatBinary;
    const FileFormat to = load ? FileFormat::FormatBinary : text;
    const LoadOutcome loaded =
        LoadFile(argv[3], {from, FillChoice::DeviceDefault, 0}, buffer, part, progress, host);
    const bool ok = loaded.Loaded() && SaveFile(argv[4], {to, 0, 0x1FFFFF}, buffer, part, progress,
                                                host) == SaveEnd::Saved;
    if (!ok) std::fputs(host.lines.c_str(), stderr);
    return ok ? 0 : 1;
}
