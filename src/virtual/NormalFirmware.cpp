#include "virtual/NormalFirmware.h"

#include <algorithm>
#include <cstring>

namespace karvo {

NormalFirmware::NormalFirmware(VirtualSettings& settings, FirmwareHost& host)
    : settings_(settings), host_(host) {
    AddCommand({"KARVO", [this](const Payload&) { ReplyText(settings_.hello); }});
    AddCommand({"F", [this](const Payload&) {
                    Payload reply{};
                    reply[0] = 'F';
                    reply[1] = static_cast<std::uint8_t>(settings_.firmwareMajor);
                    reply[2] = static_cast<std::uint8_t>(settings_.firmwareMinor);
                    host_.Reply(reply);
                }});
    // No reply: the programmer drops off the bus and comes back as its bootloader.
    AddCommand({"Prog", [this](const Payload&) { host_.EnterBootloader(); }});
    AddCommand(
        {"V", [this](const Payload& block) { ReplyText(host_.ShapeSocket(block) ? "OK" : "NO"); }});
    AddByteWideCommands(*this);
    AddMicroCommands(*this);
    AddPicCommands(*this);
}

void NormalFirmware::AddCommand(Command command) {
    commands_.push_back(std::move(command));
    // Longest names first, so "Prog" wins over a shorter name sharing its start.
    std::stable_sort(commands_.begin(), commands_.end(), [](const Command& a, const Command& b) {
        return a.name.size() > b.name.size();
    });
}

const NormalFirmware::Command* NormalFirmware::Find(const Payload& payload) const {
    for (const Command& command : commands_) {
        if (std::memcmp(payload.data(), command.name.data(), command.name.size()) == 0) {
            return &command;
        }
    }
    return nullptr;
}

void NormalFirmware::Handle(const Payload& payload) {
    if (writing_) {
        TakeBlock(payload);
        return;
    }
    if (nextReport_) {
        const auto handler = std::move(nextReport_);
        nextReport_ = nullptr;
        handler(payload);
        return;
    }
    const Command* command = Find(payload);
    // Unknown commands are ignored, as the real firmware does: the host's read times out.
    if (command == nullptr) return;
    command->handler(payload);
}

void NormalFirmware::StreamArea(const std::string& acceptance, char area) {
    ChipArea* chipArea = host_.Socket() ? host_.Socket()->Area(area) : nullptr;
    if (chipArea == nullptr) {
        ReplyText("NO");
        return;
    }
    ReplyText(acceptance);
    const std::vector<std::uint8_t>& bytes = chipArea->bytes;
    for (std::size_t offset = 0; offset < bytes.size(); offset += kPayloadSize) {
        Payload report;
        for (std::size_t k = 0; k < report.size(); ++k) report[k] = chipArea->BlankAt(k);
        const std::size_t n = std::min(kPayloadSize, bytes.size() - offset);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), n, report.begin());
        host_.Reply(report, StreamTag{area, static_cast<std::uint32_t>(offset)});
    }
}

void NormalFirmware::ReceiveArea(const std::string& acceptance, char area) {
    ChipArea* chipArea = host_.Socket() ? host_.Socket()->Area(area) : nullptr;
    if (chipArea == nullptr) {
        ReplyText("NO");
        return;
    }
    ReplyText(acceptance);
    if (!chipArea->bytes.empty()) {
        writing_ = WriteSession{area, 0, static_cast<std::uint32_t>(chipArea->bytes.size())};
    }
}

void NormalFirmware::TakeBlock(const Payload& payload) {
    host_.Socket()->Program(writing_->area, writing_->offset, payload.data(), payload.size());
    writing_->offset += kPayloadSize;
    if (writing_->offset >= writing_->length) writing_.reset();
    ReplyText("OK");
}

void NormalFirmware::ReplyText(const std::string& text) {
    Payload reply{};
    std::memcpy(reply.data(), text.data(), std::min(text.size(), reply.size()));
    host_.Reply(reply);
}

}  // namespace karvo
