// The Select command of the main window and the activation of the chosen device.
#include <fmt/format.h>

#include "app/MainPresenter.h"
#include "app/ProgramDirectory.h"
#include "catalogue/AdapterNotes.h"
#include "catalogue/CatalogueValidator.h"
#include "catalogue/DeviceDataFile.h"
#include "operations/JobProtocol.h"

namespace karvo {

SelectOutcome MainPresenter::Select(SelectionDialogPort& dialog) {
    if (LinkBusy()) return SelectOutcome::NotSelected;
    state_.ErrorCount = 0;
    MakeCurrentDirectory(state_.StartDir);
    if ((state_.DeviceFilesPresent & 0x1F) == 0) {
        ports_.prompts.ShowMessage(BoxKind::Error, "KARVO Mk2", " No Device Files Found ");
        return SelectOutcome::NotSelected;
    }
    PersistedValues& remembered = state_.settings;
    const std::int32_t previousManuf = remembered.ManufIndex;
    const std::int32_t previousDevice = remembered.DeviceIndex;
    const std::string previousFile = remembered.DataFileName;
    // The dialog browses copies: only a device that became active is
    // remembered, so the remembered selection always names the active chip.
    std::string browsedFile = remembered.DataFileName;
    std::int32_t browsedManuf = remembered.ManufIndex;
    std::int32_t browsedDevice = remembered.DeviceIndex;
    SelectionModel model(browsedFile, browsedManuf, browsedDevice, state_.DeviceFilesPresent,
                         ports_.prompts);
    model.Prepare();
    // Cancel, or OK with nothing valid selected, leaves the device that was
    // active before untouched: the buffer the user is working on is not
    // thrown away for a dialog that chose nothing.
    if (!dialog.Run(model) || !model.HasValidSelection() || !ActivateDevice(model, dialog)) {
        return SelectOutcome::NotSelected;
    }
    remembered.DataFileName = browsedFile;
    remembered.ManufIndex = browsedManuf;
    remembered.DeviceIndex = browsedDevice;

    SelectOutcome outcome = SelectOutcome::Selected;
    if (state_.AppState == 1) {
        DisableOperationButtons();
        JobReporter reporter(ports_.log, state_.RunFlag, state_.ErrorCount);
        if (!SendParameters(*link_, device_, ports_.clock, reporter, state_.ErrorCount)) {
            // Every operation would work on a chip the programmer does not
            // know; the user must hear of it.
            LogLine(" The programmer did not confirm the parameters of " + device_.DevName() +
                    "; check the cable, Reconnect and select the device again");
            outcome = SelectOutcome::ParametersRefused;
        }
        buffer_.FillWithBlank(device_);
        UpdateChecksum();
        // Index 0/0 of the other data file is another chip too.
        if (remembered.ManufIndex != previousManuf || remembered.DeviceIndex != previousDevice ||
            remembered.DataFileName != previousFile) {
            remembered.flags.ProgBits = 1;
            remembered.flags.Test_flag = device_.DefaultOpts() & 0x01;
            remembered.flags.Id_flag = device_.DefaultOpts() & 0x04;
            remembered.flags.MaxMin_flag = device_.DefaultOpts() & 0x08;
        }
        ApplyButtonCaps();
    } else {
        // Nothing was filled or summed for this chip: a figure here would be
        // the previous chip's.
        panel_.SetLabel(PanelLabel::CheckL, "");
    }
    if (device_.Family() == Family::Pic) remembered.flags.ProgBits = 0x17;
    return outcome;
}

void MainPresenter::Options(OptionsDialogPort& dialog) {
    if (state_.AppState == 0) return;
    OptionsModel model(device_, state_.settings.flags, state_.settings.SoundON);
    model.Prepare();
    dialog.Run(model);
}

bool MainPresenter::ActivateDevice(SelectionModel& model, SelectionDialogPort& dialog) {
    const auto manufIndex = static_cast<std::size_t>(model.ManufIndex());
    const auto deviceIndex = static_cast<std::size_t>(model.DeviceIndex());
    const auto file = DeviceDataFile::Open(model.DataFileName());
    const auto record = file ? file->Record(manufIndex, deviceIndex) : std::nullopt;
    if (!record) {
        // The file went away (or changed) while the dialog was open.
        ports_.prompts.ShowMessage(BoxKind::Error, " File Not Found ", model.DataFileName());
        return false;
    }
    // A damaged installation or another data directory can hold anything; a
    // record whose sizes do not fit the buffer (a size that wraps, one far
    // beyond any chip) never becomes the active device.
    if (const auto problems = ValidateForUse(*record); !problems.empty()) {
        ports_.prompts.ShowMessage(
            BoxKind::Error, "Device Data Error",
            fmt::format("The record of {} in {} is damaged and cannot be used: {}",
                        model.Devices()[deviceIndex], model.DataFileName(),
                        problems.front().message));
        return false;
    }
    ClearMessages();
    const std::string& manufacturer = model.Manufacturers()[manufIndex];
    const std::string& device = model.Devices()[deviceIndex];
    panel_.SetLabel(PanelLabel::ManuL, manufacturer);
    panel_.SetLabel(PanelLabel::DevL, device);
    LogLine(" Selected : " + manufacturer + "  " + device);

    device_ = *record;
    deviceActive_ = true;
    buffer_.AllocateForDevice(device_);

    panel_.SetLabel(PanelLabel::ManIDL, "");
    panel_.SetLabel(PanelLabel::DevIDL, "");
    panel_.SetLabel(PanelLabel::DevIDL2, "");
    if (device_.ManufId() != 0) {
        panel_.SetLabel(PanelLabel::ManIDL, FormatId(device_.ManufId()));
        panel_.SetLabel(PanelLabel::DevIDL, FormatId(device_.DevId()));
        if (device_.DevId2() != 0 && device_.Family() == Family::Micro) {
            panel_.SetLabel(PanelLabel::DevIDL2, FormatId(device_.DevId2()));
        }
    }
    panel_.SetLabel(PanelLabel::SizeL, FormatSize(device_.LastAddr()));
    panel_.SetLabel(PanelLabel::VccL, FormatVoltage(device_.Vcc()));
    panel_.SetLabel(PanelLabel::VppL, device_.Vpp() == 0.0f ? "" : FormatVoltage(device_.Vpp()));

    const AdapterNotes notes = NotesFor(device_);
    panel_.SetLabel(PanelLabel::AdapL, notes.adapter);
    panel_.SetLabel(PanelLabel::ComL, notes.comment);

    if (device_.Family() == Family::Pic) {
        LogLine(" ***  Select Programming Options : Prog / ID / Data / Config in OPTIONS ***");
        PlayNotify();
    } else if (device_.Family() == Family::Micro) {
        LogLine(" ***  Select Programming Options : Code Area / Lockbits in OPTIONS ***");
        PlayNotify();
        dialog.ShowIspNotice();
    }
    return true;
}

}  // namespace karvo
