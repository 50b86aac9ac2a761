// libFuzzer target for the Binary reader.
#include "FuzzLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return karvo::fuzz::FuzzReader(karvo::FileFormat::FormatBinary, data, size);
}
