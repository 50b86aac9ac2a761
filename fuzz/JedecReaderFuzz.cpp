// libFuzzer target for the JEDEC reader.
#include "FuzzLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return karvo::fuzz::FuzzJedecReader(data, size);
}
