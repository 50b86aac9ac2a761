#include "editor/EditCommand.h"

namespace karvo {

HexEditorModel* EditCommand::Open() {
    if (model_) return model_.get();
    // Only with a programmer and a device, and never while an aborted
    // operation's worker may still write the buffer.
    if (!session_.ProgrammerConnected() || !session_.DeviceActive() || session_.LinkBusy()) {
        return nullptr;
    }
    model_ = std::make_unique<HexEditorModel>(session_.Buffer(), session_.Device(), checksum_);
    model_->Open();
    return model_.get();
}

void EditCommand::Close() {
    if (!model_) return;
    model_.reset();
    session_.UpdateChecksum();
}

bool EditCommand::Run(HexEditorPort& window) {
    HexEditorModel* model = Open();
    if (model == nullptr) return false;
    window.Run(*model);
    Close();
    return true;
}

}  // namespace karvo
