#pragma once
#include <array>
#include <string>

#include "catalogue/DeviceRecord.h"
#include "settings/SettingsValues.h"

namespace karvo {

// The Options dialog without its window: which boxes it offers for the
// current device, their captions and states, and what a click changes. Every
// change of a box's checked state runs that box's rule, whether the user or
// the preparation made it, exactly like a click.
class OptionsModel {
  public:
    enum Box {
        kInsertionTest,   // CheckBox1
        kBitTesting,      // CheckBox2
        kIdCheck,         // CheckBox3
        kVerifyMaxMin,    // CheckBox4
        kMemoryFill,      // CheckBox5
        kProductionMode,  // CheckBox6
        kSerialNumber,    // CheckBox8
        kOddEven,         // OddEvenBox
        kSoundOn,         // ChSoundON
        kProgStep0,       // erase before program, ProgBits bit 6
        kProgStep1,       // ProgBits bit 0
        kProgStep2,
        kProgStep3,
        kProgStep4,
        kProgStep5,
        kProgStep6,  // ProgBits bit 5
        kBoxCount
    };

    struct BoxState {
        std::string caption;
        bool visible = true;
        bool enabled = false;
        bool checked = false;
    };

    OptionsModel(const DeviceRecord& device, OptionFlags& flags, bool& soundOn);

    // Prepares every box from the device and the flags.
    void Prepare();
    // A click on an offered box: toggles to checked.
    void SetChecked(Box box, bool checked);

    const BoxState& State(Box box) const { return boxes_[box]; }
    bool ProgrammingGroupVisible() const { return groupVisible_; }
    // Visible and enabled: the user can click it.
    bool Offered(Box box) const { return boxes_[box].visible && boxes_[box].enabled; }

    static Box StepBox(int step) { return static_cast<Box>(kProgStep0 + step); }
    static std::uint8_t BitOf(Box box);

  private:
    void Rule(Box box, bool checked);
    void SetBit(std::uint8_t bit, bool on);

    const DeviceRecord& device_;
    OptionFlags& flags_;
    bool& soundOn_;
    std::array<BoxState, kBoxCount> boxes_;
    bool groupVisible_ = false;
};

}  // namespace karvo
