#include "buffer/FileDialogPorts.h"

namespace karvo {

const char* FileFilterFor(char family) {
    switch (family) {
        case 'C':
            return "Inh8m (*.HEX)|*.hex|All Files (*.*)|*.*";
        case 'P':
            return "Jedec (*.JED)|*.jed|All Files (*.*)|*.*";
        default:
            return "Intel Hex (*.HEX)|*.hex|Motorola (*.MOT)|*.MOT|Binary (*.BIN)|*.bin|"
                   "All Files (*.*)|*.*";
    }
}

FileFormat PreselectedLoadFormat(char family, int filterIndex) {
    if (family == 'C') return FileFormat::FormatInh8m;
    if (family == 'P') return FileFormat::FormatJedec;
    // Intel Hex 0, Motorola 1, Binary 2, All Files 3 (which the format
    // dialog shows as Binary).
    return static_cast<FileFormat>(filterIndex - 1);
}

FileFormat PreselectedSaveFormat(char family) {
    if (family == 'C') return FileFormat::FormatInh8m;
    if (family == 'P') return FileFormat::FormatJedec;
    return FileFormat::FormatIntelHex;
}

}  // namespace karvo
