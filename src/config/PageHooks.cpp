#include "config/PageHooks.h"

namespace karvo::config {

int BeforeWrite(RowHook hook, const std::vector<std::string>& items, int choice) {
    switch (hook) {
        case RowHook::None:
        case RowHook::PicksCalibration:
        case RowHook::StoredOnClose:
            break;
        case RowHook::InvalidItemChoosesFirst:
            // The item that stands for a code the part does not have is never
            // written: the choice moves to the first item.
            if (choice >= 0 && static_cast<std::size_t>(choice) < items.size() &&
                items[static_cast<std::size_t>(choice)].find("invalid") != std::string::npos) {
                return 0;
            }
            break;
    }
    return choice;
}

void AfterWrite(RowHook hook, int choice, CellStore& store) {
    switch (hook) {
        case RowHook::PicksCalibration:
            // "CAL" k picks CalibTable[k] as the calibration byte. Nothing
            // fills the table, so this is 0 until something does.
            if (choice >= 0 && choice < 4) {
                store.Write(kCalibByte,
                            store.Read(static_cast<std::uint8_t>(kCalibTable0 + choice)));
            }
            break;
        case RowHook::None:
        case RowHook::InvalidItemChoosesFirst:
        case RowHook::StoredOnClose:
            break;
    }
}

}  // namespace karvo::config
