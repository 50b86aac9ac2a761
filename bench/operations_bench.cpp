// Whole device operations through the engine, the link and the virtual
// programmer: how many reports a second the program itself can move, and,
// paced like USB full-speed hardware, how close a whole Read or Program and
// Verify comes to the time the reports alone need.
#include <benchmark/benchmark.h>

#include "catalogue/SelectCommand.h"
#include "operations/HeadlessProgress.h"
#include "support/CatalogueFixture.h"
#include "support/RecordingPorts.h"

namespace {

using namespace karvo;
using namespace karvo::test;

constexpr std::uint32_t kChipSize = 0x100000;  // 1 MiB

// The largest PIC of the catalogue, as shipped: 96 KiB of code, 1 KiB of
// data EEPROM, ID and configuration.
constexpr const char* kLargestPic = "18F4685";

// A 1 MiB EPROM, the largest 8051/AVR-family part of the catalogue (a 1 MB
// SPI flash, signature checked, code programmed and verified), or the
// largest PIC.
DeviceRecord BenchChip(Family family) {
    if (family == Family::Pic) {
        if (auto pic = ShippedMicro(kLargestPic)) return *pic;
        return DeviceBuilder('C', 0, "missing");
    }
    if (family == Family::Eprom) {
        DeviceBuilder chip('E', kChipSize - 1, "27C080");
        chip.Algorithm(3).Caps(0xFF, 0x04);
        return chip;
    }
    DeviceBuilder chip('M', kChipSize - 1, "W25X80");
    chip.Algorithm(33).Ids(0xEF, 0x30, 0x14).Caps(0xF7, 0x05);
    chip.U8(DeviceRecord::kOptionCaps, 0x04).U8(DeviceRecord::kDefaultOpts, 0x04);
    chip.U8(DeviceRecord::kStepCaps, 0x41);
    return chip;
}

struct Station {
    explicit Station(bool paced, Family family = Family::Eprom)
        : programmer(Settings(paced), SystemClock()),
          usb(programmer),
          presenter({log, view, prompts, sounds, store, usb, SystemClock(), update, &programmer}) {
        const DeviceRecord chip = BenchChip(family);
        const bool micro = family != Family::Eprom;
        dir.Write(micro ? "KARVO_m.usb" : "KARVO_e.usb", {{"Bench", {chip}}});
        presenter.AttachOperations(ui, windows);
        presenter.StartUp();
        PickDevice pick(micro ? SelectionModel::kMicro : SelectionModel::kEEprom, 0, 0);
        SelectCommand(presenter.Session()).Run(pick);
    }
    static VirtualSettings Settings(bool paced) {
        VirtualSettings s;
        s.paced = paced;
        return s;
    }
    void Run(char op) {
        presenter.RunOperation(op);
        ui.RunPending();
    }

    ScratchProgramDir dir;
    VirtualProgrammer programmer;
    VirtualBackend usb;
    RecordingLog log;
    RecordingView view;
    RecordingPrompts prompts;
    RecordingSounds sounds;
    MemorySettingsStore store;
    NoFirmwareUpdate update;
    QueuedUiThread ui;
    HeadlessProgressFactory windows{ui};
    MainPresenter presenter;
};

// Reports one operation moves: the command and its answer, then one per block
// (a write also has one answer per block).
constexpr double kReadReports = 2 + kChipSize / 64;
constexpr double kProgramVerifyReports = 2 + 2.0 * kChipSize / 64 + kReadReports;

void BM_Read1MiB(benchmark::State& state) {
    Station station(false);
    for (auto _ : state) station.Run('R');
    state.counters["reports_per_s"] = benchmark::Counter(
        kReadReports * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Read1MiB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProgramVerify1MiB(benchmark::State& state) {
    Station station(false);
    for (auto _ : state) station.Run('P');
    state.counters["reports_per_s"] =
        benchmark::Counter(kProgramVerifyReports * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ProgramVerify1MiB)->Unit(benchmark::kMillisecond)->UseRealTime();

// Paced: the reports alone need one millisecond each.
void BM_PacedRead1MiB(benchmark::State& state) {
    Station station(true);
    for (auto _ : state) station.Run('R');
    state.counters["ratio_to_reports_alone"] =
        benchmark::Counter(kReadReports / 1000.0 * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PacedRead1MiB)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_PacedProgramVerify1MiB(benchmark::State& state) {
    Station station(true);
    for (auto _ : state) station.Run('P');
    state.counters["ratio_to_reports_alone"] =
        benchmark::Counter(kProgramVerifyReports / 1000.0 * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PacedProgramVerify1MiB)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The 8051/AVR sequence adds the signature check ("mI", its answer, the
// signature) to the same streams.
constexpr double kMicroProgramVerifyReports = 3 + kProgramVerifyReports;

void BM_PacedMicroProgramVerify1MiB(benchmark::State& state) {
    Station station(true, Family::Micro);
    for (auto _ : state) station.Run('P');
    if (station.log.lines.size() < 3 ||
        station.log.lines[station.log.lines.size() - 2] != " Code Area Verified OK") {
        state.SkipWithError("the program and verify did not succeed");
    }
    state.counters["ratio_to_reports_alone"] = benchmark::Counter(
        kMicroProgramVerifyReports / 1000.0 * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PacedMicroProgramVerify1MiB)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// Each of the four areas: the write command and its answer, an answer per
// block, then the read command, its answer and the blocks again.
constexpr double PicAreaReports(double bytes) {
    const double blocks = (bytes + 63) / 64;
    return 4 + 3 * static_cast<double>(static_cast<std::uint32_t>(blocks));
}
constexpr double kPicProgramVerifyReports =
    PicAreaReports(0x18000) + PicAreaReports(1024) + PicAreaReports(8) + PicAreaReports(14);

void BM_PacedPicProgramVerify(benchmark::State& state) {
    Station station(true, Family::Pic);
    if (station.presenter.Device().DevName() != kLargestPic) {
        state.SkipWithError("the largest PIC is not in the catalogue");
        return;
    }
    station.presenter.State().settings.flags.ProgBits = 0x17;
    for (auto _ : state) station.Run('P');
    if (station.log.lines.size() < 3 ||
        station.log.lines[station.log.lines.size() - 2] != " Config Bytes Verified") {
        state.SkipWithError("the program and verify did not succeed");
    }
    state.counters["ratio_to_reports_alone"] = benchmark::Counter(
        kPicProgramVerifyReports / 1000.0 * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PacedPicProgramVerify)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
