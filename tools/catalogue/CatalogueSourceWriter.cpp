#include "CatalogueSourceWriter.h"

#include <cctype>

#include <fmt/format.h>

#include "CatalogueSourceReader.h"

namespace karvo::source {

Json DeviceJson(const DeviceRecord& record) {
    Json device = Json::object();
    for (const Field& f : Fields()) {
        if (f.required || !IsEmptyField(record, f)) device[f.name] = FieldValue(record, f);
    }
    return device;
}

std::string ManufacturerText(const std::string& manufacturer, const std::vector<Json>& devices) {
    std::string out =
        fmt::format("{{\n  \"manufacturer\": {},\n  \"devices\": [", Json(manufacturer).dump());
    for (std::size_t d = 0; d < devices.size(); ++d) {
        out += d == 0 ? "\n    {" : ",\n    {";
        bool first = true;
        for (const auto& [key, value] : devices[d].items()) {
            out += first ? "\n      " : ",\n      ";
            first = false;
            std::string text = value.dump();
            if (value.is_array()) {
                text = "[";
                for (std::size_t i = 0; i < value.size(); ++i) {
                    text += (i == 0 ? "" : ", ") + value[i].dump();
                }
                text += "]";
            }
            out += fmt::format("{}: {}", Json(key).dump(), text);
        }
        out += "\n    }";
    }
    out += devices.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

std::string SourceFileName(std::size_t index, const std::string& manufacturer) {
    std::string name;
    for (char c : manufacturer) {
        const bool keep = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.';
        name += keep ? c : '_';
    }
    return fmt::format("{:02}-{}.json", index + 1, name);
}

DecodedFolder DecodeDataFile(const DeviceDataFile& file) {
    DecodedFolder out;
    if (file.Truncated()) out.problems.push_back("the file ends inside its tables");
    const auto& manufacturers = file.Manufacturers();
    for (std::size_t m = 0; m < manufacturers.size(); ++m) {
        std::vector<Json> devices;
        for (std::size_t d = 0; d < manufacturers[m].deviceCount; ++d) {
            const DeviceRecord record = *file.Record(m, d);
            Json device = DeviceJson(record);
            if (ParseDevice(device).record.Raw() != record.Raw()) {
                out.problems.push_back(
                    fmt::format("{}: device {} ({}): holds bytes the readable form cannot carry",
                                manufacturers[m].name, d, record.DevName()));
            }
            devices.push_back(std::move(device));
        }
        out.files.emplace_back(SourceFileName(m, manufacturers[m].name),
                               ManufacturerText(manufacturers[m].name, devices));
    }
    return out;
}

}  // namespace karvo::source
