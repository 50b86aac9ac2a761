#include "virtual/FaultInjector.h"

#include <cstring>

namespace karvo {

bool FaultInjector::Names(const std::set<std::string>& names, const Payload& payload) {
    for (const std::string& name : names) {
        if (name.size() <= payload.size() &&
            std::memcmp(payload.data(), name.data(), name.size()) == 0) {
            return true;
        }
    }
    return false;
}

FaultInjector::Verdict FaultInjector::OnCommand(const Payload& payload) const {
    if (Names(muted_, payload)) return Verdict::Mute;
    if (Names(refused_, payload)) return Verdict::Refuse;
    return Verdict::Pass;
}

void FaultInjector::OnDeliver(Payload& payload, const std::optional<StreamTag>& tag) {
    if (stallAfter_) --*stallAfter_;
    if (!tag || corrupt_.empty()) return;
    for (std::uint32_t i = 0; i < payload.size(); ++i) {
        if (corrupt_.count({tag->area, tag->offset + i}) != 0) {
            payload[i] = static_cast<std::uint8_t>(~payload[i]);
        }
    }
}

FaultInjector::Payload FaultInjector::RefusalReply() {
    Payload reply{};
    reply[0] = '?';
    reply[1] = '?';
    return reply;
}

}  // namespace karvo
