#include "settings/OptionsCommand.h"

namespace karvo {

void OptionsCommand::Run(OptionsDialogPort& dialog) {
    if (!session_.ProgrammerConnected()) return;
    PersistedValues& values = session_.State().settings;
    OptionsModel model(session_.Device(), values.flags, values.SoundON);
    model.Prepare();
    dialog.Run(model);
}

}  // namespace karvo
