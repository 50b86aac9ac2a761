#include "config/pages/PageTables.h"

#include <algorithm>
#include <vector>

namespace karvo::config {

namespace notation {
void RowDoesNotParse() {}
}  // namespace notation
namespace when_detail {
void UnsupportedCondition() {}
}  // namespace when_detail

std::span<const PageSet> AllPageSets() {
    static const std::vector<PageSet> sets = [] {
        std::vector<PageSet> all;
        for (const auto table : {PicStandardPageSets, Pic18PageSets, PicEnhancedPageSets,
                                 AvrPageSets, SerialAnd8051PageSets}) {
            const std::span<const PageSet> part = table();
            all.insert(all.end(), part.begin(), part.end());
        }
        return all;
    }();
    return sets;
}

const PageSet* FindPageSet(std::span<const PageSet> sets, Dialog dialog, std::uint8_t configType) {
    for (const PageSet& set : sets) {
        if (set.dialog != dialog) continue;
        if (std::find(set.configTypes.begin(), set.configTypes.end(), configType) !=
            set.configTypes.end()) {
            return &set;
        }
    }
    return nullptr;
}

}  // namespace karvo::config
