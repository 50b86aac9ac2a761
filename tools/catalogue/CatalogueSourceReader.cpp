#include "CatalogueSourceReader.h"

#include <algorithm>
#include <climits>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

#include <fmt/format.h>

namespace karvo::source {
namespace {

using R = DeviceRecord;

void ReadField(const Field& f, const Json& v, DeviceRecord& r, std::vector<std::string>& problems) {
    auto bad = [&](std::string_view what) {
        problems.push_back(fmt::format("field {}: {} (got {})", f.name, what, v.dump()));
    };
    switch (f.kind) {
        case FieldKind::Letter:
            if (!v.is_string() || v.get<std::string>().size() != 1) return bad("one letter");
            r.SetU8(f.offset, static_cast<std::uint8_t>(v.get<std::string>()[0]));
            return;
        case FieldKind::Text: {
            if (!v.is_string()) return bad("text");
            const std::string text = v.get<std::string>();
            if (text.size() > R::kDevNameSize - 1) return bad("at most 19 characters");
            r.SetText(f.offset, R::kDevNameSize, text);
            return;
        }
        case FieldKind::Volts:
            if (!v.is_number()) return bad("a number of volts");
            r.SetFloat(f.offset, v.get<float>());
            return;
        case FieldKind::Mask:
            if (!v.is_array() || v.size() > R::kConfigMaskSize) return bad("up to 32 bytes");
            for (std::size_t i = 0; i < v.size(); ++i) {
                const auto n = ReadInteger(v[i], 0, 0xFF);
                if (!n) return bad("bytes 0..0xFF");
                r.SetU8(f.offset + i, static_cast<std::uint8_t>(*n));
            }
            return;
        case FieldKind::U8:
        case FieldKind::U16: {
            const long long max = f.kind == FieldKind::U8 ? 0xFF : 0xFFFF;
            const auto n = ReadInteger(v, 0, max);
            if (!n) return bad(fmt::format("an integer 0..0x{:X}", max));
            if (f.kind == FieldKind::U8) {
                r.SetU8(f.offset, static_cast<std::uint8_t>(*n));
            } else {
                r.SetU16(f.offset, static_cast<std::uint16_t>(*n));
            }
            return;
        }
        case FieldKind::I32: {
            const auto n = ReadInteger(v, INT32_MIN, INT32_MAX);
            if (!n) return bad("a 32-bit integer");
            r.SetU32(f.offset, static_cast<std::uint32_t>(static_cast<std::int32_t>(*n)));
            return;
        }
    }
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// "NN-Name.json" files of a folder, by NN.
std::map<int, std::filesystem::path> ListSources(const std::filesystem::path& dir,
                                                 std::vector<std::string>& problems) {
    static const std::regex kName(R"(([0-9]{2,3})-.+\.json)");
    std::map<int, std::filesystem::path> files;
    for (const auto& item : std::filesystem::directory_iterator(dir)) {
        const std::string name = item.path().filename().string();
        if (!item.is_regular_file() || item.path().extension() != ".json") continue;
        std::smatch m;
        if (!std::regex_match(name, m, kName)) {
            problems.push_back(
                fmt::format("{}: the name is not NN-Name.json", item.path().string()));
            continue;
        }
        const int order = std::stoi(m[1].str());
        if (!files.emplace(order, item.path()).second) {
            problems.push_back(fmt::format("{}: order {} is taken by {}", item.path().string(),
                                           order, files[order].filename().string()));
        }
    }
    return files;
}

void ReadManufacturer(const std::filesystem::path& path, SourceFolder& folder) {
    const std::string where = path.string();
    Json doc;
    try {
        doc = ParseSourceText(ReadText(path));
    } catch (const std::exception& e) {
        folder.problems.push_back(fmt::format("{}: {}", where, e.what()));
        return;
    }
    if (!doc.is_object() || !doc.contains("manufacturer") || !doc["manufacturer"].is_string() ||
        !doc.contains("devices") || !doc["devices"].is_array()) {
        folder.problems.push_back(
            fmt::format("{}: expected {{\"manufacturer\": text, \"devices\": [...]}}", where));
        return;
    }
    for (const auto& [key, value] : doc.items()) {
        if (key != "manufacturer" && key != "devices") {
            folder.problems.push_back(fmt::format("{}: unknown key \"{}\"", where, key));
        }
    }
    DeviceDataFile::Entry entry;
    entry.manufacturer = doc["manufacturer"].get<std::string>();
    std::size_t index = 0;
    for (const Json& device : doc["devices"]) {
        DeviceParse parsed = ParseDevice(device);
        const std::string name = parsed.record.DevName().empty() ? fmt::format("device #{}", index)
                                                                 : parsed.record.DevName();
        for (const std::string& p : parsed.problems) {
            folder.problems.push_back(
                fmt::format("{}: {}: {}: {}", where, entry.manufacturer, name, p));
        }
        entry.devices.push_back(parsed.record);
        ++index;
    }
    folder.entries.push_back(std::move(entry));
    folder.files.push_back(path);
}

}  // namespace

Json ParseSourceText(const std::string& text) {
    std::vector<std::set<std::string>> keys;
    std::string repeated;
    const Json::parser_callback_t watch = [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start) keys.emplace_back();
        if (event == Json::parse_event_t::object_end && !keys.empty()) keys.pop_back();
        if (event == Json::parse_event_t::key && !keys.empty() &&
            !keys.back().insert(parsed.get<std::string>()).second && repeated.empty()) {
            repeated = parsed.get<std::string>();
        }
        return true;
    };
    Json doc;
    try {
        doc = Json::parse(text, watch);
    } catch (const Json::parse_error& e) {
        throw std::runtime_error(fmt::format("not valid JSON: {}", e.what()));
    }
    if (!repeated.empty())
        throw std::runtime_error(fmt::format("key \"{}\" given twice", repeated));
    return doc;
}

DeviceParse ParseDevice(const Json& device) {
    DeviceParse out;
    if (!device.is_object()) {
        out.problems.push_back("a device entry is a JSON object");
        return out;
    }
    for (const auto& [key, value] : device.items()) {
        if (key == kSourceKey) {
            if (!value.is_string()) out.problems.push_back("Source is text");
            continue;
        }
        const Field* f = FindField(key);
        if (f == nullptr) {
            out.problems.push_back(fmt::format("unknown key \"{}\"", key));
            continue;
        }
        ReadField(*f, value, out.record, out.problems);
    }
    for (const Field& f : Fields()) {
        if (f.required && !device.contains(f.name)) {
            out.problems.push_back(fmt::format("required field {} is missing", f.name));
        }
    }
    const std::size_t maskBytes = device.contains("ConfigMask") && device["ConfigMask"].is_array()
                                      ? device["ConfigMask"].size()
                                      : 0;
    if (maskBytes != out.record.ConfigCount()) {
        out.problems.push_back(fmt::format("ConfigMask has {} bytes but ConfigCount is {}",
                                           maskBytes, out.record.ConfigCount()));
    }
    return out;
}

SourceFolder ReadSourceFolder(const std::filesystem::path& dir) {
    SourceFolder folder;
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) {
        folder.problems.push_back(fmt::format("{}: not a folder", dir.string()));
        return folder;
    }
    const auto files = ListSources(dir, folder.problems);
    if (files.empty()) {
        folder.problems.push_back(fmt::format("{}: holds no NN-Name.json file", dir.string()));
    }
    for (const auto& [order, path] : files) ReadManufacturer(path, folder);
    return folder;
}

}  // namespace karvo::source
