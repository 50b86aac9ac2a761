#include "config/Conditions.h"

namespace karvo::config {

namespace {

bool TermHolds(const Term& t, const ConditionContext& c) {
    const DeviceRecord& d = c.device;
    const auto lastAddr = static_cast<std::int64_t>(d.LastAddr());
    switch (t.test) {
        case Test::Always:
            return true;
        case Test::LastAddrAbove:
            return lastAddr > static_cast<std::int64_t>(t.a);
        case Test::LastAddrBelow:
            return lastAddr < static_cast<std::int64_t>(t.a);
        case Test::LastAddrIs:
            return lastAddr == static_cast<std::int64_t>(t.a);
        case Test::ConfigTypeIs:
            return d.ConfigType() == t.a;
        case Test::AlgorithmIs:
            return d.Algorithm() == t.a;
        case Test::DevNameIs:
            return d.DevName() == t.text;
        case Test::DevNameStartsWith:
            return d.DevName().rfind(t.text, 0) == 0;
        case Test::DevNameCharIs: {
            const std::string name = d.DevName();
            return t.a < name.size() && static_cast<std::uint8_t>(name[t.a]) == t.b;
        }
        case Test::MaskHas:
            return (d.ConfigMask(t.a) & t.b) == t.b;
        case Test::MaskWordIs:
            return static_cast<std::uint32_t>((d.ConfigMask(t.a) << 8) | d.ConfigMask(t.a + 1)) ==
                   t.b;
        case Test::DevIdIs:
            return d.DevId() == t.a;
        case Test::DevId2Is:
            return d.DevId2() == t.a;
        case Test::VccMaxIs:
            // The stored single-precision value against the single nearest
            // the volts: a double 3.6 would never equal a stored 3.6.
            return d.VccMax() == static_cast<float>(t.a) / 100.0F;
        case Test::VccMaxAbove:
            return d.VccMax() > static_cast<float>(t.a) / 100.0F;
        case Test::EepromSizeIs:
            return d.EepromSize() == t.a;
        case Test::Checked:
            return c.self == 1;
        case Test::ControlChecked:
            return c.valueOf && c.valueOf(t.text) == 1;
        case Test::ControlItemIs:
            return c.valueOf && c.valueOf(t.text) == static_cast<int>(t.a);
        case Test::Nested:
            return t.group != nullptr && Holds(*t.group, c);
    }
    return false;
}

}  // namespace

bool Holds(const When& when, const ConditionContext& context) {
    if (when.count == 0) return true;
    for (std::uint8_t i = 0; i < when.count; ++i) {
        const Term& t = when.terms[i];
        const bool holds = TermHolds(t, context) != t.negate;
        if (when.any && holds) return true;
        if (!when.any && !holds) return false;
    }
    return !when.any;
}

bool AsksControls(const When& when) {
    for (std::uint8_t i = 0; i < when.count; ++i) {
        const Term& term = when.terms[i];
        if (term.test == Test::Checked || term.test == Test::ControlChecked ||
            term.test == Test::ControlItemIs) {
            return true;
        }
        if (term.test == Test::Nested && term.group != nullptr && AsksControls(*term.group))
            return true;
    }
    return false;
}

}  // namespace karvo::config
