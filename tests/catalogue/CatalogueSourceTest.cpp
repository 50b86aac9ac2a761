#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <unistd.h>

#include "CatalogueCompiler.h"
#include "CatalogueSourceReader.h"
#include "CatalogueSourceWriter.h"

namespace karvo::source {
namespace {

namespace fs = std::filesystem;

const char* kGoodDevice = R"({"DevName": "27C256", "Family": "E", "Algorithm": 3,
    "LastAddr": "0x7FFF", "Vcc": 5, "Vpp": 12.75, "BlankValue": "0xFF", "ButtonCaps": "0xE7",
    "Source": "a datasheet"})";

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const auto& l : lines) all += l + "\n";
    return all;
}

std::vector<std::string> ProblemsOf(const std::string& patch) {
    Json device = Json::parse(kGoodDevice);
    device.update(Json::parse(patch));
    return ParseDevice(device).problems;
}

TEST(CatalogueSource, ReadsNumbersHexAndDecimalText) {
    const auto parsed = ParseDevice(Json::parse(kGoodDevice));
    EXPECT_TRUE(parsed.problems.empty()) << Joined(parsed.problems);
    EXPECT_EQ(parsed.record.LastAddr(), 0x7FFF);
    EXPECT_EQ(parsed.record.BlankValue(), 0xFF);
    EXPECT_FLOAT_EQ(parsed.record.Vpp(), 12.75F);
    EXPECT_EQ(ParseDevice(Json::parse(R"({"DevName": "X", "Family": "E", "Algorithm": "3",
        "LastAddr": 32767, "Vcc": 5, "ButtonCaps": 231})"))
                  .record.ButtonCaps(),
              0xE7);
}

TEST(CatalogueSource, RefusesWhatTheRecordCannotHold) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"Colour": "blue"})", "unknown key \"Colour\""},
        {R"({"ManufId": 256})", "field ManufId"},
        {R"({"ManufId": "0xZZ"})", "field ManufId"},
        {R"({"ManufId": 1.5})", "field ManufId"},
        {R"({"EepromSize": -1})", "field EepromSize"},
        {R"({"Family": "EE"})", "field Family"},
        {R"({"DevName": "ABCDEFGHIJKLMNOPQRST"})", "at most 19 characters"},
        {R"({"Vcc": "5V"})", "field Vcc"},
        {R"({"ConfigCount": 2, "ConfigMask": ["0x3F"]})", "ConfigMask has 1 bytes"},
        {R"({"ConfigMask": [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18,
             19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33]})",
         "up to 32 bytes"},
        {R"({"Source": 7})", "Source is text"},
    };
    for (const auto& [patch, expected] : cases) {
        EXPECT_NE(Joined(ProblemsOf(patch)).find(expected), std::string::npos) << patch;
    }
    Json missing = Json::parse(kGoodDevice);
    missing.erase("ButtonCaps");
    EXPECT_NE(Joined(ParseDevice(missing).problems).find("required field ButtonCaps"),
              std::string::npos);
}

TEST(CatalogueSource, RepeatedKeysAndBrokenJsonAreErrors) {
    EXPECT_THROW(ParseSourceText(R"({"a": 1, "a": 2})"), std::runtime_error);
    EXPECT_THROW(ParseSourceText(R"({"devices": [{"Vcc": 5, "Vcc": 3}]})"), std::runtime_error);
    EXPECT_THROW(ParseSourceText(R"({"a": )"), std::runtime_error);
    EXPECT_NO_THROW(ParseSourceText(R"({"a": {"b": 1}, "b": {"b": 2}})"));
}

TEST(CatalogueSource, WritesTheCanonicalText) {
    const Json device = DeviceJson(ParseDevice(Json::parse(kGoodDevice)).record);
    EXPECT_EQ(ManufacturerText("Maker", {device}),
              "{\n"
              "  \"manufacturer\": \"Maker\",\n"
              "  \"devices\": [\n"
              "    {\n"
              "      \"DevName\": \"27C256\",\n"
              "      \"Family\": \"E\",\n"
              "      \"Algorithm\": 3,\n"
              "      \"LastAddr\": \"0x7FFF\",\n"
              "      \"Vcc\": 5,\n"
              "      \"Vpp\": 12.75,\n"
              "      \"BlankValue\": \"0xFF\",\n"
              "      \"ButtonCaps\": \"0xE7\"\n"
              "    }\n"
              "  ]\n"
              "}\n");
    EXPECT_EQ(SourceFileName(0, "SGS/Thomson"), "01-SGS_Thomson.json");
    Json pic = Json::parse(kGoodDevice);
    pic.update(Json::parse(R"({"ConfigCount": 2, "ConfigMask": [63, "0xff"], "Vcc": 3.3})"));
    const Json out = DeviceJson(ParseDevice(pic).record);
    EXPECT_EQ(out["ConfigMask"].dump(), R"(["0x3F","0xFF"])");
    EXPECT_EQ(out["Vcc"].dump(), "3.3");
}

class ScratchFolder {
  public:
    ScratchFolder()
        : dir_(fs::temp_directory_path() /
               ("karvo-cat-" + std::to_string(getpid()) + "-" + std::to_string(count_++))) {
        fs::create_directories(dir_);
    }
    ~ScratchFolder() { fs::remove_all(dir_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(dir_ / name) << text;
    }
    const fs::path& Path() const { return dir_; }

  private:
    static inline int count_ = 0;
    fs::path dir_;
};

std::string MakerFile(const std::string& maker, const std::string& devices) {
    return R"({"manufacturer": ")" + maker + R"(", "devices": [)" + devices + "]}";
}

TEST(CatalogueSource, CompileNamesFileMakerDeviceAndRule) {
    ScratchFolder folder;
    folder.Write("01-Good.json", MakerFile("Good", kGoodDevice));
    Json erasable = Json::parse(kGoodDevice);
    erasable["DevName"] = "28C256X";
    erasable["ButtonCaps2"] = 1;
    folder.Write("02-Bad.json", MakerFile("Badmaker", erasable.dump()));
    const CompileResult result = CompileFolder(folder.Path());
    EXPECT_TRUE(result.bytes.empty());
    ASSERT_EQ(result.problems.size(), 1U) << Joined(result.problems);
    const std::string& line = result.problems[0];
    EXPECT_NE(line.find("02-Bad.json: Badmaker: 28C256X: [caps]"), std::string::npos) << line;
}

TEST(CatalogueSource, FolderRules) {
    ScratchFolder empty;
    EXPECT_NE(Joined(CompileFolder(empty.Path()).problems).find("holds no NN-Name.json"),
              std::string::npos);

    ScratchFolder clash;
    clash.Write("01-A.json", MakerFile("A", kGoodDevice));
    clash.Write("01-B.json", MakerFile("B", kGoodDevice));
    clash.Write("7-C.json", MakerFile("C", kGoodDevice));
    clash.Write("notes.txt", "not a source");
    const std::string problems = Joined(CompileFolder(clash.Path()).problems);
    EXPECT_NE(problems.find("order 1 is taken"), std::string::npos) << problems;
    EXPECT_NE(problems.find("7-C.json: the name is not NN-Name.json"), std::string::npos);
    EXPECT_EQ(problems.find("notes.txt"), std::string::npos);

    ScratchFolder extra;
    extra.Write("01-A.json", R"({"manufacturer": "A", "devices": [], "country": "X"})");
    EXPECT_NE(Joined(CompileFolder(extra.Path()).problems).find("unknown key \"country\""),
              std::string::npos);

    ScratchFolder ordered;
    ordered.Write("10-Late.json", MakerFile("Late", kGoodDevice));
    ordered.Write("02-Early.json", MakerFile("Early", kGoodDevice));
    const auto bytes = CompileFolder(ordered.Path()).bytes;
    const auto file = DeviceDataFile::Parse(bytes);
    ASSERT_EQ(file.Manufacturers().size(), 2U);
    EXPECT_EQ(file.Manufacturers()[0].name, "Early");
}

TEST(CatalogueSource, DecodeRefusesBytesTheSourceCannotCarry) {
    DeviceRecord r = ParseDevice(Json::parse(kGoodDevice)).record;
    r.SetU8(60, 0x5A);
    const auto decoded = DecodeDataFile(DeviceDataFile::Parse(DeviceDataFile::Build({{"M", {r}}})));
    ASSERT_EQ(decoded.problems.size(), 1U);
    EXPECT_NE(decoded.problems[0].find("M: device 0 (27C256)"), std::string::npos);
}

// The decoder and the shipped sources held in step: compiling a folder and
// decoding the result gives back every entry's meaning, and the decoded
// folder compiles to the very same bytes.
void ExpectRoundTrip(const std::string& name) {
    const fs::path src = fs::path(KARVO_CATALOGUE_SOURCES) / name;
    const CompileResult compiled = CompileFolder(src);
    ASSERT_TRUE(compiled.problems.empty()) << Joined(compiled.problems);
    const DecodedFolder decoded = DecodeDataFile(DeviceDataFile::Parse(compiled.bytes));
    ASSERT_TRUE(decoded.problems.empty()) << Joined(decoded.problems);

    const SourceFolder sources = ReadSourceFolder(src);
    ASSERT_EQ(decoded.files.size(), sources.files.size());
    ScratchFolder again;
    for (std::size_t m = 0; m < sources.files.size(); ++m) {
        std::ifstream in(sources.files[m]);
        std::stringstream text;
        text << in.rdbuf();
        const Json original = ParseSourceText(text.str());
        const Json back = ParseSourceText(decoded.files[m].second);
        EXPECT_EQ(back["manufacturer"], original["manufacturer"]);
        ASSERT_EQ(back["devices"].size(), original["devices"].size());
        for (std::size_t d = 0; d < back["devices"].size(); ++d) {
            EXPECT_EQ(Canonical(back["devices"][d]), Canonical(original["devices"][d]))
                << sources.files[m] << " device " << d;
        }
        again.Write(decoded.files[m].first, decoded.files[m].second);
    }
    EXPECT_EQ(CompileFolder(again.Path()).bytes, compiled.bytes);
}

TEST(CatalogueSource, EpromFolderRoundTrips) {
    ExpectRoundTrip("KARVO_e");
}

// Our own folder is kept in the decoder's formatting, so decoding the data
// file gives back its files line for line, less the "Source" notes.
TEST(CatalogueSource, EpromFolderIsInCanonicalFormatting) {
    const fs::path src = fs::path(KARVO_CATALOGUE_SOURCES) / "KARVO_e";
    const SourceFolder sources = ReadSourceFolder(src);
    const DecodedFolder decoded = DecodeDataFile(DeviceDataFile::Parse(CompileFolder(src).bytes));
    ASSERT_EQ(decoded.files.size(), sources.files.size());
    for (std::size_t m = 0; m < sources.files.size(); ++m) {
        std::ifstream in(sources.files[m]);
        std::string expected;
        for (std::string line; std::getline(in, line);) {
            if (line.find("\"Source\": ") != std::string::npos) {
                if (!expected.empty() && expected[expected.size() - 2] == ',') {
                    expected.erase(expected.size() - 2, 1);
                }
                continue;
            }
            expected += line + "\n";
        }
        EXPECT_EQ(decoded.files[m].second, expected) << sources.files[m];
        EXPECT_EQ(decoded.files[m].first, sources.files[m].filename().string());
    }
}
TEST(CatalogueSource, MicroFolderRoundTrips) {
    ExpectRoundTrip("KARVO_m");
}

TEST(CatalogueSource, ToolFailsOnABadEntryAndDecodesAGoodFile) {
    ScratchFolder bad;
    Json device = Json::parse(kGoodDevice);
    device["Family"] = "Q";
    bad.Write("01-Bad.json", MakerFile("Bad", device.dump()));
    const std::string tool = KARVO_CATALOGUE_TOOL;
    const fs::path out = bad.Path() / "out.usb";
    const std::string log = (bad.Path() / "log.txt").string();
    EXPECT_NE(
        std::system(
            (tool + " compile " + bad.Path().string() + " " + out.string() + " 2>" + log).c_str()),
        0);
    EXPECT_FALSE(fs::exists(out));
    std::stringstream text;
    text << std::ifstream(log).rdbuf();
    EXPECT_NE(text.str().find("01-Bad.json: Bad: 27C256: [family]"), std::string::npos)
        << text.str();

    ScratchFolder good;
    good.Write("01-Good.json", MakerFile("Good", kGoodDevice));
    const fs::path file = good.Path() / "good.usb";
    ASSERT_EQ(
        std::system((tool + " compile " + good.Path().string() + " " + file.string()).c_str()), 0);
    const fs::path back = good.Path() / "back";
    ASSERT_EQ(std::system((tool + " decode " + file.string() + " " + back.string()).c_str()), 0);
    EXPECT_TRUE(fs::exists(back / "01-Good.json"));
    EXPECT_NE(
        std::system(
            (tool + " decode " + file.string() + " " + back.string() + " 2>/dev/null").c_str()),
        0);  // the folder already holds sources
    EXPECT_NE(std::system((tool + " 2>/dev/null").c_str()), 0);
}

}  // namespace
}  // namespace karvo::source
