// libFuzzer target for the IntelHex reader.
#include "FuzzLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return karvo::fuzz::FuzzReader(karvo::FileFormat::FormatIntelHex, data, size);
}
