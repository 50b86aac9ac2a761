// libFuzzer target for the INX16 reader.
#include "FuzzLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return karvo::fuzz::FuzzWordReader(karvo::FileFormat::FormatInx16, data, size);
}
