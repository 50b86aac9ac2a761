#include "virtual/ProgrammerChoice.h"

#include "catalogue/DataFileNames.h"
#include "link/HidapiBackend.h"

namespace karvo {

ProgrammerChoice ChooseProgrammer(const std::optional<VirtualSettings>& virtualSettings,
                                  Clock& clock) {
    ProgrammerChoice choice;
    if (!virtualSettings) {
        choice.usb = std::make_unique<HidapiBackend>();
        return choice;
    }
    choice.virtualProgrammer = std::make_unique<VirtualProgrammer>(*virtualSettings, clock);
    choice.virtualProgrammer->LearnChipTypes(
        ChipTypes::FromDataFiles({kEpromFileName, kMicroFileName}));
    choice.usb = std::make_unique<VirtualBackend>(*choice.virtualProgrammer);
    return choice;
}

}  // namespace karvo
