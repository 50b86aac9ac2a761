#include "config/ConfigCommand.h"

namespace karvo {

ConfigModel* ConfigCommand::Open() {
    if (model_) return model_.get();
    // Only with a programmer and a device, and never while an aborted
    // operation's worker may still write the buffer.
    if (!session_.ProgrammerConnected() || !session_.DeviceActive() || session_.LinkBusy()) {
        return nullptr;
    }
    model_ = std::make_unique<ConfigModel>(session_.Device(), session_.Buffer(), bits_);
    model_->Open();
    return model_.get();
}

void ConfigCommand::Close() {
    if (!model_) return;
    model_->Close();
    model_.reset();
    session_.UpdateChecksum();
}

bool ConfigCommand::Run(ConfigDialogPort& dialog) {
    ConfigModel* model = Open();
    if (model == nullptr) return false;
    dialog.Run(*model);
    Close();
    return true;
}

}  // namespace karvo
