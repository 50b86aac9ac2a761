// The image container, the image this build carries, and the generator that
// makes it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "FirmwareTestSupport.h"
#include "ImageSource.h"

namespace karvo::test {
namespace {

const std::string kHex = ":02100000AA55EF\n:00000001FF\n";

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ImageContainer, KeepsVersionFlagAndLines) {
    const auto bytes = EncodeImage(kHex, 2, 3, true);
    std::string error;
    const auto image = DecodeImage(bytes, error);
    ASSERT_TRUE(image) << error;
    EXPECT_TRUE(image->hasIntegrity);
    EXPECT_EQ(image->major, 2);
    EXPECT_EQ(image->minor, 3);
    EXPECT_TRUE(image->virtualOnly);
    EXPECT_EQ(image->dataBytes, 2u);
    EXPECT_EQ(image->storedLines, ImageOf({":02100000AA55EF", ":00000001FF"}).storedLines);
}

TEST(ImageContainer, TextIsStoredComplemented) {
    const auto bytes = EncodeImage(kHex, 2, 3, false);
    ASSERT_GT(bytes.size(), kImageHeaderSize);
    EXPECT_EQ(bytes[kImageHeaderSize], static_cast<std::uint8_t>(~':'));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()).find(":0210"), std::string::npos);
}

TEST(ImageContainer, DamageIsNoticed) {
    std::string error;
    auto bytes = EncodeImage(kHex, 2, 3, true);
    bytes[kImageHeaderSize + 3] ^= 0x01;
    EXPECT_FALSE(DecodeImage(bytes, error));
    EXPECT_NE(error.find("CRC"), std::string::npos);
    auto cut = EncodeImage(kHex, 2, 3, true);
    cut.pop_back();
    EXPECT_FALSE(DecodeImage(cut, error));
    auto future = EncodeImage(kHex, 2, 3, true);
    future[4] = 2;
    EXPECT_FALSE(DecodeImage(future, error));
    const std::vector<std::uint8_t> tiny{'K', 'F', 'W', 'I'};
    EXPECT_FALSE(DecodeImage(tiny, error));
}

TEST(ImageFiles, PlainIntelHexHasNoIntegrityData) {
    std::string error;
    const std::string dos = ":02100000AA55EF\r\n:00000001FF\r\n";
    const auto image =
        ImageFromBytes({reinterpret_cast<const std::uint8_t*>(dos.data()), dos.size()}, error);
    ASSERT_TRUE(image) << error;
    EXPECT_FALSE(image->hasIntegrity);
    EXPECT_FALSE(image->virtualOnly);
    EXPECT_EQ(image->storedLines, ImageOf({":02100000AA55EF", ":00000001FF"}).storedLines);
    const std::string other = "hello";
    EXPECT_FALSE(
        ImageFromBytes({reinterpret_cast<const std::uint8_t*>(other.data()), other.size()}, error));
}

TEST(CarriedImage, IsTheVirtualProgrammersVersionTwoThree) {
    const FirmwareImage& image = CarriedImage();
    EXPECT_TRUE(image.hasIntegrity);
    EXPECT_TRUE(image.virtualOnly);
    EXPECT_EQ(image.major, 2);
    EXPECT_EQ(image.minor, 3);
    EXPECT_EQ(image.origin, "carried");
    EXPECT_EQ(image.dataBytes, ImageBytes(image).size());
}

// The build's image files come from the description alone, the same every
// time, and the packed file holds exactly the generated text.
TEST(ImageGenerator, IsDeterministicAndMatchesTheBuildsFiles) {
    const std::string source =
        ReadAll(std::string(KARVO_SOURCE_DIR) + "/data/firmware/virtual-2.3.txt");
    std::string error;
    const auto parsed = tools::ParseImageSource(source, error);
    ASSERT_TRUE(parsed) << error;
    const std::string hex = tools::GenerateHex(*parsed);
    EXPECT_EQ(hex, tools::GenerateHex(*parsed));
    EXPECT_TRUE(tools::CheckHex(hex, error)) << error;
    const std::string bin = std::string(KARVO_BIN_DIR) + "/firmware/karvo-virtual-2.3";
    EXPECT_EQ(ReadAll(bin + ".hex"), hex);
    const auto packed = EncodeImage(hex, 2, 3, true);
    EXPECT_EQ(ReadAll(bin + ".kfw"), std::string(packed.begin(), packed.end()));
}

TEST(ImageGenerator, RefusesBrokenDescriptionsAndFiles) {
    std::string error;
    EXPECT_FALSE(tools::ParseImageSource("program 1000 2000\n", error));
    EXPECT_FALSE(tools::ParseImageSource("version 2.3\nprogram 2000 1000\n", error));
    EXPECT_FALSE(tools::ParseImageSource("version 2.3\nprogram 1000 2000\ncolour blue\n", error));
    EXPECT_FALSE(tools::ParseImageSource(
        "version 2.3\nprogram 1000 2000\nsignature 3000\ntag 1010\n", error));
    EXPECT_FALSE(tools::CheckHex(":02100000AA55EE\n:00000001FF\n", error));
    EXPECT_FALSE(tools::CheckHex(":02100000AA55EF\n", error));
    EXPECT_FALSE(tools::CheckHex(":00000001FF\n:02100000AA55EF\n", error));
}

}  // namespace
}  // namespace karvo::test
