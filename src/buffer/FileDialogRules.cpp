#include "buffer/FileDialogPorts.h"

namespace karvo {

const char* FileFilterFor(Family family) {
    switch (family) {
        case Family::Pic:
            return "Inh8m (*.HEX)|*.hex|All Files (*.*)|*.*";
        case Family::Logic:
            return "Jedec (*.JED)|*.jed|All Files (*.*)|*.*";
        default:
            return "Intel Hex (*.HEX)|*.hex|Motorola (*.MOT)|*.MOT|Binary (*.BIN)|*.bin|"
                   "All Files (*.*)|*.*";
    }
}

FileFormat PreselectedLoadFormat(Family family, int filterIndex) {
    if (family == Family::Pic) return FileFormat::FormatInh8m;
    if (family == Family::Logic) return FileFormat::FormatJedec;
    // Intel Hex 0, Motorola 1, Binary 2, All Files 3 (which the format
    // dialog shows as Binary).
    return static_cast<FileFormat>(filterIndex - 1);
}

FileFormat PreselectedSaveFormat(Family family) {
    if (family == Family::Pic) return FileFormat::FormatInh8m;
    if (family == Family::Logic) return FileFormat::FormatJedec;
    return FileFormat::FormatIntelHex;
}

}  // namespace karvo
