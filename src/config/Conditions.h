#pragma once
#include <functional>
#include <string_view>

#include "catalogue/DeviceRecord.h"
#include "config/pages/PageSchema.h"

namespace karvo::config {

// What a row's condition may ask: the chip, the control's own state and the
// state of the other controls of its page (-1 when unknown or none).
struct ConditionContext {
    explicit ConditionContext(const DeviceRecord& d, int own = -1,
                              std::function<int(std::string_view control)> others = {})
        : device(d), self(own), valueOf(std::move(others)) {}
    const DeviceRecord& device;
    int self;
    std::function<int(std::string_view control)> valueOf;
};

bool Holds(const When& when, const ConditionContext& context);

// True when the condition asks about any control's state.
bool AsksControls(const When& when);

}  // namespace karvo::config
