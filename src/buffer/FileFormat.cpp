#include "buffer/FileFormat.h"

namespace karvo {

const char* LoadResultLine(LoadResult result) {
    switch (result) {
        case LoadResult::ResultChecksum:
            return " Checksum Error ";
        case LoadResult::ResultNotIntelHex:
            return " Not Intel Hex Format";
        case LoadResult::ResultNotMotorola:
            return " Not Motorola S-record format";
        case LoadResult::ResultNotInh8m:
            return " Not INH8M format";
        case LoadResult::ResultNotInx16:
            return " Not INX16 format";
        case LoadResult::ResultNoFit:
            return " File doesn't fit in allocated buffer";
        case LoadResult::ResultNone:
        case LoadResult::ResultReadFailure:
        case LoadResult::ResultJedecFailure:
            break;
    }
    return "";
}

const char* FormatCaption(FileFormat format) {
    switch (format) {
        case FileFormat::FormatIntelHex:
            return "Intel Hex";
        case FileFormat::FormatMotorola:
            return "Motorola";
        case FileFormat::FormatBinary:
            return "Binary";
        case FileFormat::FormatInh8m:
            return "Inh8m";
        case FileFormat::FormatInx16:
            return "Inx16";
        case FileFormat::FormatJedec:
            return "Jedec";
        case FileFormat::FormatCancelled:
            break;
    }
    return "";
}

}  // namespace karvo
