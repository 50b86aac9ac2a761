#pragma once
#include <string>

namespace karvo {

// The format a file is loaded or saved in; the codes are the format dialog's
// button order and the filter index of the file dialogs minus one.
enum class FileFormat : int {
    FormatCancelled = -1,
    FormatIntelHex = 0,
    FormatMotorola = 1,
    FormatBinary = 2,
    FormatInh8m = 3,
    FormatInx16 = 4,
    FormatJedec = 5,
};

// How the records of a load ended.
enum class LoadResult {
    ResultNone,
    ResultReadFailure,
    ResultChecksum,
    ResultNotIntelHex,
    ResultNotMotorola,
    ResultNotInh8m,
    ResultNotInx16,
    ResultNoFit,
    ResultJedecFailure,
};

// The message-log line of a failed load; empty for the results whose reader
// or box has already told the user.
const char* LoadResultLine(LoadResult result);

// "Intel Hex", "Motorola" ... as the format dialog captions its buttons.
const char* FormatCaption(FileFormat format);

}  // namespace karvo
