#include "config/PageHooks.h"

namespace karvo::config {

int BeforeWrite(RowHook hook, const std::vector<std::string>& items, int choice) {
    switch (hook) {
        case RowHook::None:
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

}  // namespace karvo::config
