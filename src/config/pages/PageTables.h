#pragma once
#include <span>

#include "config/pages/PageSchema.h"

namespace karvo::config {

// The page sets of each table file.
std::span<const PageSet> PicStandardPageSets();
std::span<const PageSet> Pic18PageSets();
std::span<const PageSet> PicEnhancedPageSets();
std::span<const PageSet> AvrPageSets();
std::span<const PageSet> SerialAnd8051PageSets();

// Every page set of both dialogs.
std::span<const PageSet> AllPageSets();

// The set a dialog shows for a ConfigType, from `sets`; null when none.
const PageSet* FindPageSet(std::span<const PageSet> sets, Dialog dialog, std::uint8_t configType);

}  // namespace karvo::config
