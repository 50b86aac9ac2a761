#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace karvo {

// A firmware image as the update writes it: Intel HEX lines, each stored with
// every character complemented, and what its container says about it.
//
// The container (".kfw"), all numbers little-endian:
//   0  "KFWI"           magic
//   4  1                container format
//   5  major, minor     the firmware version the image holds
//   7  flags            bit 0: made for the virtual programmer only
//   8  text length      bytes of stored text after the header
//  12  text CRC-32      of the stored text
//  16  data bytes       how many data bytes its records hold
//  20  reserved (0)
//  24  stored text      the HEX text, every byte complemented, lines ended
//                       by a complemented line feed
struct FirmwareImage {
    std::vector<std::string> storedLines;
    // From the container; a plain Intel HEX file has none of it.
    bool hasIntegrity = false;
    int major = 0;
    int minor = 0;
    bool virtualOnly = false;
    std::uint32_t dataBytes = 0;
    // Where it came from, for the lines about it: "carried" or a file name.
    std::string origin;
};

inline constexpr std::size_t kImageHeaderSize = 24;
inline constexpr std::uint8_t kImageVirtualOnly = 0x01;

// Packs Intel HEX text into a container.
std::vector<std::uint8_t> EncodeImage(std::string_view hexText, int major, int minor,
                                      bool virtualOnly);
// Unpacks a container; nullopt with the reason when it is damaged.
std::optional<FirmwareImage> DecodeImage(std::span<const std::uint8_t> bytes, std::string& error);
// A container, or a plain Intel HEX text (stored complemented here like
// every image, without integrity data).
std::optional<FirmwareImage> ImageFromBytes(std::span<const std::uint8_t> bytes,
                                            std::string& error);
std::optional<FirmwareImage> ReadImageFile(const std::string& path, std::string& error);

// The number of data bytes in the data records of an Intel HEX text.
std::uint32_t CountDataBytes(std::string_view hexText);
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

// The image this build carries (generated at build time).
const FirmwareImage& CarriedImage();

}  // namespace karvo
