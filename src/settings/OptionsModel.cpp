#include "settings/OptionsModel.h"

#include "catalogue/ChipFacts.h"

namespace karvo {

OptionsModel::OptionsModel(const DeviceRecord& device, OptionFlags& flags, bool& soundOn)
    : device_(device), flags_(flags), soundOn_(soundOn) {
    const char* captions[kBoxCount] = {"Insertion Test",
                                       "Bit Testing",
                                       "ID Check",
                                       "Verify @ Vmax and Vmin",
                                       "Memory Fill on Device Change",
                                       "Production Mode",
                                       "Serial Number Insertion",
                                       "Odd && Even programming",
                                       "Sound ON",
                                       "Erase before Program",
                                       "Code Mem",
                                       "Lockbit 1",
                                       "Lockbit 2",
                                       "Lockbit 3",
                                       "Encryption",
                                       "RB1"};
    for (int i = 0; i < kBoxCount; ++i) boxes_[static_cast<std::size_t>(i)].caption = captions[i];
    // The step boxes are hidden until the device shows them.
    for (int step = 0; step <= 6; ++step) boxes_[StepBox(step)].visible = false;
}

std::uint8_t OptionsModel::BitOf(Box box) {
    if (box == kProgStep0) return 0x40;
    if (box >= kProgStep1 && box <= kProgStep6)
        return static_cast<std::uint8_t>(1u << (box - kProgStep1));
    return 0;
}

void OptionsModel::SetBit(std::uint8_t bit, bool on) {
    flags_.ProgBits =
        static_cast<std::uint8_t>(on ? flags_.ProgBits | bit : flags_.ProgBits & ~bit);
}

void OptionsModel::SetChecked(Box box, bool checked) {
    BoxState& state = boxes_[box];
    if (state.checked == checked) return;  // no change, no rule
    state.checked = checked;
    Rule(box, checked);
}

void OptionsModel::Rule(Box box, bool checked) {
    const bool isMicro = device_.Family() == Family::Micro;
    const bool idWithCode = IdStepFollowsCode(device_);
    switch (box) {
        case kInsertionTest:
            flags_.Test_flag = checked;
            break;
        case kIdCheck:
            flags_.Id_flag = checked;
            break;
        case kVerifyMaxMin:
            flags_.MaxMin_flag = checked;
            break;
        case kSoundOn:
            soundOn_ = checked;
            break;
        case kProgStep1:
            if (!checked && idWithCode) {
                SetBit(0x04, false);
                SetChecked(kProgStep3, false);
            }
            SetBit(0x01, checked);
            break;
        case kProgStep2:
            SetBit(0x02, checked);
            // Lock bits build on each other: without lock bit 1 there is no 2 or 3.
            if (!checked && isMicro) {
                SetBit(0x0C, false);
                SetChecked(kProgStep3, false);
                SetChecked(kProgStep4, false);
            }
            break;
        case kProgStep3:
            SetBit(0x04, checked);
            if (checked && isMicro) {
                SetBit(0x02, true);
                SetChecked(kProgStep2, true);
            }
            if (checked && idWithCode) {  // these parts take their ID with the code
                SetBit(0x01, true);
                SetChecked(kProgStep1, true);
            }
            if (!checked && isMicro) {
                SetBit(0x08, false);
                SetChecked(kProgStep4, false);
            }
            break;
        case kProgStep4:
            SetBit(0x08, checked);
            if (checked && isMicro) {
                SetBit(0x06, true);
                SetChecked(kProgStep2, true);
                SetChecked(kProgStep3, true);
            }
            break;
        case kProgStep5:
            SetBit(0x10, checked);
            break;
        case kProgStep6:
            SetBit(0x20, checked);
            break;
        case kProgStep0:
            SetBit(0x40, checked);
            break;
        default:
            break;  // offered only, no state
    }
}

void OptionsModel::Prepare() {
    const std::uint8_t caps = device_.OptionCaps();
    auto general = [&](Box box, int bit, const bool* flag) {
        const bool supported = (caps >> bit) & 1;
        boxes_[box].enabled = supported;
        if (flag != nullptr && supported) {
            SetChecked(box, *flag);
        } else {
            SetChecked(box, false);
        }
    };
    general(kInsertionTest, 0, &flags_.Test_flag);
    general(kBitTesting, 1, nullptr);
    general(kIdCheck, 2, &flags_.Id_flag);
    general(kVerifyMaxMin, 3, &flags_.MaxMin_flag);
    general(kMemoryFill, 4, nullptr);
    general(kProductionMode, 5, nullptr);
    general(kSerialNumber, 7, nullptr);
    // A flag the device does not support is off, whatever it was.
    if (!(caps & 0x01)) flags_.Test_flag = false;
    if (!(caps & 0x04)) flags_.Id_flag = false;
    if (!(caps & 0x08)) flags_.MaxMin_flag = false;

    const Family family = device_.Family();
    const std::uint8_t algorithm = device_.Algorithm();
    const std::uint8_t devId = device_.DevId();
    if (family == Family::Pic) {
        groupVisible_ = true;
        boxes_[kProgStep0].enabled = true;
        boxes_[kProgStep1].caption = "Code Area";
        boxes_[kProgStep2].caption = "Data Area";
        boxes_[kProgStep2].visible = true;
        boxes_[kProgStep2].enabled = false;
        boxes_[kProgStep3].caption = "ID Bytes";
        boxes_[kProgStep4].caption = "Calibration";
        boxes_[kProgStep4].visible = true;
        boxes_[kProgStep4].enabled = false;
        boxes_[kProgStep5].caption = "Config Bytes";
    }
    const bool isMicro = family == Family::Micro;
    if (isMicro && device_.StepCaps() != 0) groupVisible_ = true;
    if (isMicro && algorithm == micro::kAlgorithmAt89Isp)
        boxes_[kProgStep6].caption = "Disable WDT";
    if (isMicro && algorithm == micro::kAlgorithmSstFlashFlex) {
        if (devId == 0xE2 || devId == 0xE4) boxes_[kProgStep5].caption = "RB0";
        if (devId == 0x90 || devId == 0x91) {
            boxes_[kProgStep5].caption = "Clock Double";
            boxes_[kProgStep6].caption = "SC0";
        }
    }

    const std::uint8_t steps = device_.StepCaps();
    auto show = [&](Box box) {
        boxes_[box].visible = true;
        boxes_[box].enabled = true;
    };
    if (steps & 0x01) {
        show(kProgStep1);
        SetChecked(kProgStep1, true);
    }
    if (steps & 0x02) {
        show(kProgStep2);
        if (CarriesUserRow(device_)) {
            boxes_[kProgStep1].enabled = false;
            boxes_[kProgStep2].enabled = false;
            SetBit(0x02, true);
            boxes_[kProgStep2].caption = "Fuses";
        }
        if (isMicro && (algorithm == micro::kAlgorithmSpiFlashAai1M ||
                        algorithm == micro::kAlgorithmSpiFlashPage1M)) {
            boxes_[kProgStep2].caption = "Protect Mode Enable";
        }
        SetChecked(kProgStep2, flags_.ProgBits & 0x02);
    }
    for (int bit = 2; bit <= 5; ++bit) {
        if (!((steps >> bit) & 1)) continue;
        const Box box = static_cast<Box>(kProgStep1 + bit);
        show(box);
        SetChecked(box, (flags_.ProgBits >> bit) & 1);
    }
    if (steps & 0x40) {
        show(kProgStep0);
        SetChecked(kProgStep0, flags_.ProgBits & 0x40);
    }
    if (isMicro && device_.ConfigType() == micro::kConfigTypeSecurityRegister) {
        boxes_[kProgStep2].caption = "Lock Bit";
        boxes_[kProgStep3].caption = "MOVC inhibit";
        boxes_[kProgStep4].caption = "Encryption Feature";
    }
    SetChecked(kSoundOn, soundOn_);
    boxes_[kSoundOn].enabled = true;
    SetChecked(kOddEven, false);
    boxes_[kOddEven].enabled = false;
}

}  // namespace karvo
