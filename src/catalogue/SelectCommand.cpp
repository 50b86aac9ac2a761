#include "catalogue/SelectCommand.h"

#include <fmt/format.h>

#include "catalogue/AdapterNotes.h"
#include "catalogue/CatalogueValidator.h"
#include "catalogue/ChipFacts.h"
#include "catalogue/DeviceDataFile.h"
#include "operations/JobProtocol.h"
#include "session/ProgramDirectory.h"

namespace karvo {

SelectOutcome SelectCommand::Run(SelectionDialogPort& dialog) {
    if (session_.LinkBusy()) return SelectOutcome::NotSelected;
    ApplicationState& state = session_.State();
    state.ErrorCount = 0;
    MakeCurrentDirectory(state.StartDir);
    if (!session_.DeviceFilesPresent()) {
        session_.ShowError("KARVO Mk2", " No Device Files Found ");
        return SelectOutcome::NotSelected;
    }
    PersistedValues& remembered = state.settings;
    const std::int32_t previousManuf = remembered.ManufIndex;
    const std::int32_t previousDevice = remembered.DeviceIndex;
    const std::string previousFile = remembered.DataFileName;
    // The dialog browses copies: only a device that became active is
    // remembered, so the remembered selection always names the active chip.
    std::string browsedFile = remembered.DataFileName;
    std::int32_t browsedManuf = remembered.ManufIndex;
    std::int32_t browsedDevice = remembered.DeviceIndex;
    SelectionModel model(browsedFile, browsedManuf, browsedDevice, state.DeviceFilesPresent,
                         session_.Ports().prompts);
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

    const DeviceRecord& device = session_.Device();
    SelectOutcome outcome = SelectOutcome::Selected;
    if (ChipSocketPort* socket = session_.Ports().socket) socket->ChipSelected(device);
    if (session_.ProgrammerConnected()) {
        session_.DisableOperationButtons();
        JobReporter reporter(session_.Ports().log, state.RunFlag, state.ErrorCount);
        if (!SendParameters(session_.Link(), device, session_.Time(), reporter, state.ErrorCount)) {
            // Every operation would work on a chip the programmer does not
            // know; the user must hear of it.
            session_.LogLine(" The programmer did not confirm the parameters of " +
                             device.DevName() +
                             "; check the cable, Reconnect and select the device again");
            outcome = SelectOutcome::ParametersRefused;
        }
        session_.Buffer().FillWithBlank(device);
        session_.UpdateChecksum();
        // Index 0/0 of the other data file is another chip too.
        if (remembered.ManufIndex != previousManuf || remembered.DeviceIndex != previousDevice ||
            remembered.DataFileName != previousFile) {
            remembered.flags.ProgBits = 1;
            remembered.flags.Test_flag = device.DefaultOpts() & 0x01;
            remembered.flags.Id_flag = device.DefaultOpts() & 0x04;
            remembered.flags.MaxMin_flag = device.DefaultOpts() & 0x08;
        }
        session_.ApplyButtonCaps();
    } else {
        // Nothing was filled or summed for this chip: a figure here would be
        // the previous chip's.
        session_.Panel().SetLabel(PanelLabel::CheckL, "");
    }
    // Code, data, ID and configuration, as far as the part has them.
    if (device.Family() == Family::Pic) {
        remembered.flags.ProgBits = 0x17 & device.StepCaps() & PicAreaSteps(device);
    }
    return outcome;
}

bool SelectCommand::ActivateDevice(SelectionModel& model, SelectionDialogPort& dialog) {
    const auto manufIndex = static_cast<std::size_t>(model.ManufIndex());
    const auto deviceIndex = static_cast<std::size_t>(model.DeviceIndex());
    const auto file = DeviceDataFile::Open(model.DataFileName());
    const auto record = file ? file->Record(manufIndex, deviceIndex) : std::nullopt;
    if (!record) {
        // The file went away (or changed) while the dialog was open.
        session_.ShowError(" File Not Found ", model.DataFileName());
        return false;
    }
    // A damaged installation or another data directory can hold anything; a
    // record whose sizes do not fit the buffer (a size that wraps, one far
    // beyond any chip) never becomes the active device.
    if (const auto problems = ValidateForUse(*record); !problems.empty()) {
        session_.ShowError("Device Data Error",
                           fmt::format("The record of {} in {} is damaged and cannot be used: {}",
                                       model.Devices()[deviceIndex], model.DataFileName(),
                                       problems.front().message));
        return false;
    }
    session_.ClearLog();
    PanelState& panel = session_.Panel();
    const std::string& manufacturer = model.Manufacturers()[manufIndex];
    const std::string& name = model.Devices()[deviceIndex];
    panel.SetLabel(PanelLabel::ManuL, manufacturer);
    panel.SetLabel(PanelLabel::DevL, name);
    session_.LogLine(" Selected : " + manufacturer + "  " + name);

    session_.Activate(*record);
    const DeviceRecord& device = session_.Device();

    panel.SetLabel(PanelLabel::ManIDL, "");
    panel.SetLabel(PanelLabel::DevIDL, "");
    panel.SetLabel(PanelLabel::DevIDL2, "");
    if (device.ManufId() != 0) {
        panel.SetLabel(PanelLabel::ManIDL, FormatId(device.ManufId()));
        panel.SetLabel(PanelLabel::DevIDL, FormatId(device.DevId()));
        if (device.DevId2() != 0 && device.Family() == Family::Micro) {
            panel.SetLabel(PanelLabel::DevIDL2, FormatId(device.DevId2()));
        }
    }
    panel.SetLabel(PanelLabel::SizeL, FormatSize(device.LastAddr()));
    panel.SetLabel(PanelLabel::VccL, FormatVoltage(device.Vcc()));
    panel.SetLabel(PanelLabel::VppL, device.Vpp() == 0.0f ? "" : FormatVoltage(device.Vpp()));

    const AdapterNotes notes = NotesFor(device);
    panel.SetLabel(PanelLabel::AdapL, notes.adapter);
    panel.SetLabel(PanelLabel::ComL, notes.comment);

    if (device.Family() == Family::Pic) {
        session_.LogLine(
            " ***  Select Programming Options : Prog / ID / Data / Config in OPTIONS ***");
        session_.PlayNotify();
    } else if (device.Family() == Family::Micro) {
        session_.LogLine(" ***  Select Programming Options : Code Area / Lockbits in OPTIONS ***");
        session_.PlayNotify();
        dialog.ShowIspNotice();
    }
    return true;
}

}  // namespace karvo
