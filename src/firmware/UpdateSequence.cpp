#include "firmware/UpdateSequence.h"

#include <fmt/format.h>

#include "operations/JobContext.h"

namespace karvo {

UpdateSequence::UpdateSequence(Comm& comm, const FirmwareImage& image, UpdateDisplay& display,
                               Clock& clock)
    : comm_(comm), image_(image), display_(display), clock_(clock) {}

Comm::Progress UpdateSequence::Bar() {
    // One update per step of the bar, not one per packet.
    return [this](int percent) {
        if (percent == shownPercent_) return;
        shownPercent_ = percent;
        display_.SetProgress(percent);
    };
}

void UpdateSequence::Status(const std::string& name, CommResult result, std::int64_t startMs) {
    const std::string elapsed = FormatElapsed(clock_.NowMs() - startMs);
    switch (result) {
        case CommResult::Success:
            Line(name + " Complete (" + elapsed + "s)");
            break;
        case CommResult::NotConnected:
            Line(name + " Failed. Device not connected.");
            break;
        case CommResult::Failed:
            Line(name + " Failed.");
            break;
        case CommResult::IncorrectCommand:
            Line(name + " Failed. Unable to communicate with device.");
            break;
        case CommResult::TimedOut:
            Line(name + " Timed out waiting for device (" + elapsed + "s)");
            break;
    }
    Line("");
}

bool UpdateSequence::Run() {
    display_.ClearDisplay();
    Line("Device Attached.");
    Line("Connecting...");
    // An image made for the virtual programmer never reaches hardware: not
    // even a query goes out with it.
    if (image_.virtualOnly && !comm_.Emulated()) {
        Line(
            "This firmware image is made for the virtual programmer only; nothing was sent to "
            "the programmer.");
        return false;
    }
    if (comm_.OpenBootloader() != 0) {
        Line(
            "Unable to open the device. Check that this user may use it (on Linux, the udev "
            "rule named in the README) and try again.");
        return false;
    }
    if (!Connect() || !Import()) return false;
    if (WriteDevice() != CommResult::Success) return false;
    Line("Resetting...");
    const std::int64_t start = clock_.NowMs();
    const CommResult reset = comm_.SendReset();
    if (reset != CommResult::Success) {
        Status("Reset", reset, start);
        return false;
    }
    return true;
}

bool UpdateSequence::Connect() {
    BootReply reply{};
    switch (comm_.GetQuery(reply)) {
        case CommResult::Success:
            break;
        case CommResult::IncorrectCommand:
        case CommResult::Failed:
            Line("Unable to communicate with device");
            Line("");
            return false;
        case CommResult::TimedOut:
            Line("Operation timed out");
            return false;
        case CommResult::NotConnected:
            Line("Device not connected.");
            return false;
    }
    Line("Device Ready");
    LoadRegions(reply, device_);
    if (device_.extended.supported) {
        BootReply extended{};
        const CommResult got = comm_.GetExtendedInfo(extended);
        if (got != CommResult::Success) {
            Line(got == CommResult::TimedOut ? "Operation timed out"
                                             : "Unable to communicate with device");
            Line("");
            return false;
        }
        LoadExtendedInfo(extended, device_);
    }
    const std::string problem = CheckLayout(device_);
    if (!problem.empty()) {
        Line(problem);
        return false;
    }
    AllocateRegions(device_);
    return true;
}

bool UpdateSequence::Import() {
    imageRegions_ = PrepareImageRegions(device_);
    ImportStats stats;
    const int result = ImportImage(image_.storedLines, device_, imageRegions_, &stats);
    if (result != kImported) {
        Line(ImportFailureText(result));
        return false;
    }
    // Half an image written and signed would start as a broken programmer:
    // all of it must land where the bootloader can write it.
    if (stats.outside != 0) {
        Line(
            fmt::format("The firmware image has data at 0x{:X}, outside the memory the "
                        "bootloader offers: it was not made for this programmer; nothing was "
                        "erased.",
                        stats.firstOutside));
        return false;
    }
    if (stats.storedInProgram == 0) {
        Line("The firmware image holds nothing for the program memory; nothing was erased.");
        return false;
    }
    if (image_.hasIntegrity && stats.stored != image_.dataBytes) {
        Line(
            fmt::format("The firmware image should hold {} data bytes but {} were read; nothing "
                        "was erased.",
                        image_.dataBytes, stats.stored));
        return false;
    }
    return true;
}

CommResult UpdateSequence::EraseStep() {
    Line("Erasing Device... (no status update until complete, may take several seconds)");
    const std::int64_t start = clock_.NowMs();
    CommResult result = comm_.SendErase();
    // The bootloader answers the next query only once the erase is done.
    if (result == CommResult::Success) {
        BootReply scratch{};
        result = comm_.GetQuery(scratch);
    }
    Status("Erase", result, start);
    return result;
}

CommResult UpdateSequence::WriteDevice() {
    display_.SetProgress(3);
    const CommResult erased = EraseStep();
    if (erased != CommResult::Success) return erased;
    Line("Writing Device...");
    const std::int64_t start = clock_.NowMs();
    for (const MemoryRange& range : imageRegions_.ranges) {
        if (range.type != kProgramRegion) continue;
        const CommResult written = comm_.Program(
            range.start, device_.payloadSize, device_.programBytesPerAddress,
            device_.programBytesPerWord, device_.family, range.end, range.buffer, Bar());
        if (written != CommResult::Success) {
            Status("Write", written, start);
            return written;
        }
    }
    Status("Write", CommResult::Success, start);
    return Verify();
}

CommResult UpdateSequence::Verify() {
    Line("Verifying Device...");
    const std::int64_t start = clock_.NowMs();
    bool failed = false;
    const int perAddress = device_.programBytesPerAddress;
    for (MemoryRange& range : device_.regions.ranges) {
        if (range.type != kProgramRegion) continue;
        Line("Verifying Device's Program Memory...");
        const CommResult read = comm_.GetData(range.start, device_.payloadSize, perAddress,
                                              range.end, range.buffer, Bar());
        if (read != CommResult::Success) {
            failed = true;
            Status("Verifying Device's Program Memory", read, start);
        }
        for (const MemoryRange& image : imageRegions_.ranges) {
            if (image.start != range.start || image.type != kProgramRegion) continue;
            for (std::size_t i = 0; i < image.buffer.size() && i < range.buffer.size(); ++i) {
                const std::uint64_t address = range.start + i / static_cast<unsigned>(perAddress);
                const std::size_t k = i % static_cast<unsigned>(perAddress);
                // Family 2's phantom byte reads back as whatever the part has.
                if (device_.family == 2 && address % 2 == 1 && k == 1) continue;
                if (range.buffer[i] != image.buffer[i]) {
                    Status("Verify", CommResult::Failed, start);
                    display_.SetProgress(100);
                    return CommResult::Failed;
                }
            }
        }
    }
    if (!failed && device_.extended.supported) {
        const std::int64_t signStart = clock_.NowMs();
        const CommResult signedResult = comm_.SendSign();
        if (signedResult != CommResult::Success) {
            // Unsigned firmware never starts: this is a failed update.
            failed = true;
            Status("Sign", signedResult, signStart);
        } else if (device_.family == 1 && !SignedPageMatches()) {
            failed = true;
        }
    }
    display_.SetProgress(100);
    if (failed) {
        Line("Operation aborted due to error encountered during verify operation.");
        Line("Please try the erase/program/verify sequence again.");
        Line("If repeated failures are encountered, this may indicate the flash");
        Line("memory has worn out, that the device has been damaged, or that");
        Line("there is some other unidentified problem.");
        return CommResult::Failed;
    }
    Status("Verify", CommResult::Success, start);
    Line("Erase/Program/Verify sequence completed successfully.");
    Line("You may now unplug or reset the device.");
    return CommResult::Success;
}

bool UpdateSequence::SignedPageMatches() {
    const ExtendedInfo& ext = device_.extended;
    // CheckLayout made sure the page is a whole part of program memory.
    const std::uint32_t page = ext.erasePageSize;
    const std::uint32_t first = ext.signatureAddress - ext.signatureAddress % page;
    std::vector<std::uint8_t> read(page, 0xFF);
    const bool readOk =
        comm_.GetData(first, device_.payloadSize, 1, first + page, read) == CommResult::Success;
    std::vector<std::uint8_t> expected(page, 0xFF);
    for (const MemoryRange& image : imageRegions_.ranges) {
        if (image.type != kProgramRegion || image.start > first || first >= image.end) continue;
        for (std::uint32_t i = 0; i < page && first - image.start + i < image.buffer.size(); ++i) {
            const std::uint32_t address = first + i;
            std::uint8_t byte = image.buffer[first - image.start + i];
            if (address == ext.signatureAddress)
                byte = static_cast<std::uint8_t>(ext.signatureValue);
            if (address == ext.signatureAddress + 1) {
                byte = static_cast<std::uint8_t>(ext.signatureValue >> 8);
            }
            expected[i] = byte;
        }
    }
    if (!readOk) {
        Line("The signed page could not be read back.");
        return false;
    }
    if (read == expected) return true;
    // A signed page that is not what was written must not start: erase the
    // programmer once, so that its bootloader keeps control.
    Line("The signed page does not read back as written.");
    EraseStep();
    return false;
}

}  // namespace karvo
