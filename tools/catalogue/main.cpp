// karvo-catalogue: compiles the readable device catalogue into a device data
// file at build time, and turns a data file back into the readable form.
//
//   karvo-catalogue compile SRC_DIR OUT.usb
//   karvo-catalogue decode FILE.usb OUT_DIR
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CatalogueCompiler.h"
#include "CatalogueSourceWriter.h"
#include "catalogue/DeviceDataFile.h"

namespace {

namespace fs = std::filesystem;

int Fail(const std::vector<std::string>& problems) {
    for (const std::string& p : problems) std::fprintf(stderr, "%s\n", p.c_str());
    return 1;
}

// Written beside the target and renamed into place, so a failed run never
// leaves half a file that a later build step would take for a good one.
bool WriteFile(const fs::path& path, const void* data, std::size_t size) {
    const fs::path temp = path.string() + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out.flush()) return false;
    }
    std::error_code ec;
    fs::rename(temp, path, ec);
    return !ec;
}

int Compile(const fs::path& src, const fs::path& out) {
    const karvo::source::CompileResult result = karvo::source::CompileFolder(src);
    if (!result.problems.empty()) {
        std::error_code ec;
        fs::remove(out, ec);  // a stale file must not outlive a bad entry
        return Fail(result.problems);
    }
    if (!WriteFile(out, result.bytes.data(), result.bytes.size())) {
        return Fail({out.string() + ": cannot be written"});
    }
    return 0;
}

int Decode(const fs::path& file, const fs::path& outDir) {
    const auto data = karvo::DeviceDataFile::Open(file.string());
    if (!data) return Fail({file.string() + ": cannot be opened"});
    const karvo::source::DecodedFolder decoded = karvo::source::DecodeDataFile(*data);
    if (!decoded.problems.empty()) {
        std::vector<std::string> lines;
        for (const std::string& p : decoded.problems) lines.push_back(file.string() + ": " + p);
        return Fail(lines);
    }
    std::error_code ec;
    fs::create_directories(outDir, ec);
    if (fs::is_directory(outDir, ec)) {
        for (const auto& item : fs::directory_iterator(outDir)) {
            if (item.path().extension() == ".json") {
                return Fail({outDir.string() + ": already holds catalogue sources"});
            }
        }
    }
    for (const auto& [name, text] : decoded.files) {
        if (!WriteFile(outDir / name, text.data(), text.size())) {
            return Fail({(outDir / name).string() + ": cannot be written"});
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "compile") return Compile(args[1], args[2]);
    if (args.size() == 3 && args[0] == "decode") return Decode(args[1], args[2]);
    std::fprintf(stderr,
                 "usage: karvo-catalogue compile SRC_DIR OUT.usb\n"
                 "       karvo-catalogue decode FILE.usb OUT_DIR\n");
    return 2;
}
