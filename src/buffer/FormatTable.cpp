#include "buffer/FormatTable.h"

#include "buffer/formats/BinaryReader.h"
#include "buffer/formats/BinaryWriter.h"
#include "buffer/formats/IntelHexReader.h"
#include "buffer/formats/IntelHexWriter.h"
#include "buffer/formats/JedecReader.h"
#include "buffer/formats/JedecWriter.h"
#include "buffer/formats/MotorolaReader.h"
#include "buffer/formats/MotorolaWriter.h"
#include "buffer/formats/PicWordReader.h"
#include "buffer/formats/PicWordWriter.h"

namespace karvo {

namespace {
struct FormatEntry {
    FileFormat format;
    std::unique_ptr<FileReader> (*makeReader)();
    std::unique_ptr<FileWriter> (*makeWriter)();
};

template <typename T, typename Base>
std::unique_ptr<Base> Make() {
    return std::make_unique<T>();
}

// JEDEC joins here with its own reader and writer.
constexpr FormatEntry kFormats[] = {
    {FileFormat::FormatIntelHex, Make<IntelHexReader, FileReader>,
     Make<IntelHexWriter, FileWriter>},
    {FileFormat::FormatMotorola, Make<MotorolaReader, FileReader>,
     Make<MotorolaWriter, FileWriter>},
    {FileFormat::FormatBinary, Make<BinaryReader, FileReader>, Make<BinaryWriter, FileWriter>},
    {FileFormat::FormatInh8m, Make<Inh8mReader, FileReader>, Make<Inh8mWriter, FileWriter>},
    {FileFormat::FormatInx16, Make<Inx16Reader, FileReader>, Make<Inx16Writer, FileWriter>},
    {FileFormat::FormatJedec, Make<JedecReader, FileReader>, Make<JedecWriter, FileWriter>},
};

const FormatEntry* Find(FileFormat format) {
    for (const FormatEntry& entry : kFormats) {
        if (entry.format == format) return &entry;
    }
    return nullptr;
}
}  // namespace

std::unique_ptr<FileReader> MakeReader(FileFormat format) {
    const FormatEntry* entry = Find(format);
    return entry && entry->makeReader ? entry->makeReader() : nullptr;
}

std::unique_ptr<FileWriter> MakeWriter(FileFormat format) {
    const FormatEntry* entry = Find(format);
    return entry && entry->makeWriter ? entry->makeWriter() : nullptr;
}

}  // namespace karvo
