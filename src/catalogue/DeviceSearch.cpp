#include "catalogue/DeviceSearch.h"

#include <algorithm>
#include <cctype>

#include "catalogue/DataFileNames.h"
#include "catalogue/SelectionModel.h"

namespace karvo {

DeviceSearch DeviceSearch::FromProgramDirectory() {
    DeviceSearch search;
    constexpr std::pair<const char*, int> kFiles[] = {{kEpromFileName, SelectionModel::kEEprom},
                                                      {kMicroFileName, SelectionModel::kMicro}};
    for (const auto& [name, family] : kFiles) {
        if (const auto file = DeviceDataFile::Open(name)) search.Add(name, family, *file);
    }
    return search;
}

void DeviceSearch::Add(const std::string& fileName, int family, const DeviceDataFile& file) {
    const auto& manufacturers = file.Manufacturers();
    for (std::size_t m = 0; m < manufacturers.size(); ++m) {
        for (std::size_t j = 0; j < manufacturers[m].deviceCount; ++j) {
            const auto record = file.Record(m, j);
            if (!record) continue;
            entries_.push_back({fileName, family, manufacturers[m].name, static_cast<int>(m),
                                static_cast<int>(j), *record});
            keys_.push_back(Key(record->DevName()));
        }
    }
}

std::string DeviceSearch::Key(std::string_view name) {
    std::string key;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u)) key += static_cast<char>(std::tolower(u));
    }
    return key;
}

std::string_view DeviceSearch::WithoutPrefix(std::string_view key) {
    const auto digit = std::find_if(
        key.begin(), key.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    return digit == key.end() ? key : key.substr(static_cast<std::size_t>(digit - key.begin()));
}

std::vector<const CatalogueEntry*> DeviceSearch::Find(std::string_view text) const {
    const std::string wanted = Key(text);
    if (wanted.empty()) return {};
    // Typed with a maker's letters the catalogue spells otherwise ("PIC16F84A"
    // for "16F84A"): the number still finds it, after the names that hold
    // the text as typed.
    const std::string_view wantedCore = WithoutPrefix(wanted);
    const bool typedLetters = wantedCore.size() < wanted.size() && !wantedCore.empty();
    std::vector<std::pair<int, const CatalogueEntry*>> ranked;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::string& key = keys_[i];
        const std::string_view core = WithoutPrefix(key);
        if (key.find(wanted) == std::string::npos) {
            if (typedLetters && core.substr(0, wantedCore.size()) == wantedCore) {
                ranked.emplace_back(4, &entries_[i]);
            }
            continue;
        }
        int rank = 3;
        if (key == wanted || core == wanted) {
            rank = 0;
        } else if (core.substr(0, wanted.size()) == wanted) {
            rank = 1;
        } else if (key.compare(0, wanted.size(), wanted) == 0) {
            rank = 2;
        }
        ranked.emplace_back(rank, &entries_[i]);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<const CatalogueEntry*> found;
    found.reserve(ranked.size());
    for (const auto& [rank, entry] : ranked) found.push_back(entry);
    return found;
}

}  // namespace karvo
