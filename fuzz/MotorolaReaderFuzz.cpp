// libFuzzer target for the Motorola reader.
#include "FuzzLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return karvo::fuzz::FuzzReader(karvo::FileFormat::FormatMotorola, data, size);
}
