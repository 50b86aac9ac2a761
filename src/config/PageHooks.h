#pragma once
#include <string>
#include <vector>

#include "config/pages/PageSchema.h"

namespace karvo::config {

// The choice a click writes, after the row's hook had its say.
int BeforeWrite(RowHook hook, const std::vector<std::string>& items, int choice);

}  // namespace karvo::config
