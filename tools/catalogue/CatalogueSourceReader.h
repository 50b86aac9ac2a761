#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "CatalogueFields.h"
#include "catalogue/DeviceDataFile.h"

namespace karvo::source {

// One device entry turned into its record. Problems name the field and what
// is wrong with it; the record holds whatever could be read.
struct DeviceParse {
    DeviceRecord record;
    std::vector<std::string> problems;
};
DeviceParse ParseDevice(const Json& device);

// A catalogue folder: one "NN-Name.json" file per manufacturer, in NN order.
struct SourceFolder {
    std::vector<DeviceDataFile::Entry> entries;
    std::vector<std::filesystem::path> files;  // the file of each entry
    // Every problem found, each a full line naming file, manufacturer and
    // device; empty when the folder reads cleanly.
    std::vector<std::string> problems;
};
SourceFolder ReadSourceFolder(const std::filesystem::path& dir);

// The file's text as JSON, refusing repeated keys, which the JSON library
// would otherwise let the last one win silently. Throws std::runtime_error.
Json ParseSourceText(const std::string& text);

}  // namespace karvo::source
