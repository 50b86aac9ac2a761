// libFuzzer target for the INH8M reader.
#include "FuzzLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return karvo::fuzz::FuzzWordReader(karvo::FileFormat::FormatInh8m, data, size);
}
