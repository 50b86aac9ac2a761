#pragma once
#include <string>
#include <vector>

#include "config/ConfigStore.h"
#include "config/pages/PageSchema.h"

namespace karvo::config {

// The choice a click writes, after the row's hook had its say.
int BeforeWrite(RowHook hook, const std::vector<std::string>& items, int choice);

// What a row's hook does once its bits are written.
void AfterWrite(RowHook hook, int choice, CellStore& store);

}  // namespace karvo::config
