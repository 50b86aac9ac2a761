#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/DeviceDataFile.h"
#include "catalogue/DeviceRecord.h"

namespace karvo {

// One chip of the catalogue and where the selection dialog finds it.
struct CatalogueEntry {
    std::string fileName;  // kEpromFileName or kMicroFileName
    int family = 0;        // the SelectionModel family button of that file
    std::string manufacturer;
    int manufIndex = 0;
    int deviceIndex = 0;
    DeviceRecord record;
    std::string Name() const { return record.DevName(); }
};

// Every chip of both data files in one list, for finding a chip by typing
// part of its name instead of scrolling manufacturer by manufacturer.
class DeviceSearch {
  public:
    // The data files of the current (program) directory that exist.
    static DeviceSearch FromProgramDirectory();
    void Add(const std::string& fileName, int family, const DeviceDataFile& file);

    const std::vector<CatalogueEntry>& Entries() const { return entries_; }
    // The chips whose name contains `text`, ignoring case, blanks and
    // punctuation. Best first: the whole name or the name without its
    // maker's prefix letters, then names whose number starts so, then names
    // that start so, then the rest, then names whose number starts as the
    // text's number when the text's letters are not the name's ("PIC16F84A"
    // finds "16F84A"); catalogue order within each. Nothing for an empty text.
    std::vector<const CatalogueEntry*> Find(std::string_view text) const;

    // Lower case letters and digits only: "PIC16F84A" and "pic 16f84-a" agree.
    static std::string Key(std::string_view name);
    // The key without the letters in front of the first digit ("am27c256"
    // gives "27c256"); the key itself when it has no digit.
    static std::string_view WithoutPrefix(std::string_view key);

  private:
    std::vector<CatalogueEntry> entries_;
    std::vector<std::string> keys_;
};

}  // namespace karvo
