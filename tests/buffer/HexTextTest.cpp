#include <gtest/gtest.h>

#include "buffer/FileOutput.h"
#include "buffer/HexText.h"

namespace karvo {
namespace {

struct TextInput {
    explicit TextInput(const std::string& text)
        : bytes(text),
          source({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}),
          in(source) {}
    std::string bytes;
    MemorySource source;
    FileInput in;
};

TEST(ReadHexByte, BothCasesAndEveryDigit) {
    TextInput t("00FFa5A50a9Fc3");
    EXPECT_EQ(ReadHexByte(t.in), 0x00);
    EXPECT_EQ(ReadHexByte(t.in), 0xFF);
    EXPECT_EQ(ReadHexByte(t.in), 0xA5);
    EXPECT_EQ(ReadHexByte(t.in), 0xA5);
    EXPECT_EQ(ReadHexByte(t.in), 0x0A);
    EXPECT_EQ(ReadHexByte(t.in), 0x9F);
    EXPECT_EQ(ReadHexByte(t.in), 0xC3);
    EXPECT_EQ(t.in.Get(), FileInput::kEnd);
}

TEST(ReadHexByte, NotHexIsTheConversionErrorOfBothCharacters) {
    const std::pair<const char*, const char*> cases[] = {
        {"G0", "''0xG0'' is not a valid integer value"},
        {"0g", "''0x0g'' is not a valid integer value"},
        {" 1", "''0x 1'' is not a valid integer value"},
        {"\r\n", "''0x\r\n'' is not a valid integer value"},
        {"-1", "''0x-1'' is not a valid integer value"},
    };
    for (const auto& [text, message] : cases) {
        TextInput t(text);
        try {
            ReadHexByte(t.in);
            ADD_FAILURE() << text;
        } catch (const HexConversionError& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

TEST(ReadHexByte, EndOfFileInsideEndsTheRecord) {
    TextInput t("A");
    EXPECT_THROW(ReadHexByte(t.in), FileEndedInRecord);
}

TEST(ReadHexWord, HighByteFirst) {
    TextInput t("12aB");
    const HexWord word = ReadHexWord(t.in);
    EXPECT_EQ(word.high, 0x12);
    EXPECT_EQ(word.low, 0xAB);
    EXPECT_EQ(word.Value(), 0x12AB);
}

TEST(WriteHexByte, TwoUpperCaseDigits) {
    StringSink sink;
    FileOutput out(sink);
    for (const int b : {0x00, 0x0A, 0xA0, 0xFF, 0x5C})
        WriteHexByte(out, static_cast<std::uint8_t>(b));
    EXPECT_TRUE(out.Finish());
    EXPECT_EQ(sink.text, "000AA0FF5C");
}

TEST(FileOutput, LargeOutputArrivesWholeAndAFailingSinkIsReported) {
    StringSink sink;
    FileOutput out(sink);
    std::string expected;
    for (int i = 0; i < 200000; ++i) {
        out.Put(static_cast<char>('a' + i % 26));
        expected += static_cast<char>('a' + i % 26);
    }
    EXPECT_TRUE(out.Finish());
    EXPECT_EQ(sink.text, expected);

    struct Refusing final : ByteSink {
        int calls = 0;
        bool WriteAll(const std::uint8_t*, std::size_t) override {
            ++calls;
            return false;
        }
    } refusing;
    FileOutput failing(refusing);
    for (int i = 0; i < 200000; ++i) failing.Put('x');
    EXPECT_FALSE(failing.Finish());
    EXPECT_TRUE(failing.Failed());
    EXPECT_EQ(refusing.calls, 1);  // nothing more is tried after the first failure
}

TEST(ParseTypedHex, UpToEightDigitsWithoutPrefix) {
    EXPECT_EQ(ParseTypedHex("0"), 0u);
    EXPECT_EQ(ParseTypedHex("7fff"), 0x7FFFu);
    EXPECT_EQ(ParseTypedHex("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseTypedHex("100000000"), std::nullopt);
    EXPECT_EQ(ParseTypedHex(""), std::nullopt);
    EXPECT_EQ(ParseTypedHex("$10"), std::nullopt);
    EXPECT_EQ(ParseTypedHex(" 10"), std::nullopt);
    EXPECT_EQ(ConversionErrorText("$ZZ"), "''$ZZ'' is not a valid integer value");
}

}  // namespace
}  // namespace karvo
