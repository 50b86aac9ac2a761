// The firmware update against a virtual bootloader paced like USB full-speed
// hardware (one report a millisecond): how close the update of the carried
// image comes to the time its reports alone need.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>

#include "firmware/FirmwareUpdater.h"
#include "firmware/HeadlessUpdateWindow.h"
#include "firmware/UpdateSequence.h"
#include "virtual/VirtualProgrammer.h"

namespace {

using namespace karvo;

// Counts every report that crosses the link, either way.
class CountingBackend final : public HidBackend {
  public:
    explicit CountingBackend(HidBackend& inner) : inner_(inner) {}
    std::vector<HidDeviceInfo> Enumerate() override { return inner_.Enumerate(); }
    std::unique_ptr<HidTransport> OpenPath(const std::string& path) override {
        auto transport = inner_.OpenPath(path);
        if (!transport) return nullptr;
        return std::make_unique<Counting>(std::move(transport), reports);
    }
    bool Emulated() const override { return inner_.Emulated(); }
    std::atomic<long> reports{0};

  private:
    class Counting final : public HidTransport {
      public:
        Counting(std::unique_ptr<HidTransport> inner, std::atomic<long>& count)
            : inner_(std::move(inner)), count_(count) {}
        bool Write(const Report& r) override { return WriteWithin(r, 0) == WriteStatus::Ok; }
        WriteStatus WriteWithin(const Report& r, int timeoutMs) override {
            const WriteStatus status = inner_->WriteWithin(r, timeoutMs);
            if (status == WriteStatus::Ok) ++count_;
            return status;
        }
        ReadStatus Read(Report& r, int timeoutMs) override {
            const ReadStatus status = inner_->Read(r, timeoutMs);
            if (status == ReadStatus::Ok) ++count_;
            return status;
        }

      private:
        std::unique_ptr<HidTransport> inner_;
        std::atomic<long>& count_;
    };
    HidBackend& inner_;
};

VirtualSettings PacedBootloader(int eraseMs) {
    VirtualSettings settings;
    settings.firmwareMinor = 2;
    settings.paced = true;
    settings.bootloader.startInBootloader = true;
    settings.bootloader.eraseMs = eraseMs;
    return settings;
}

struct NoDisplay final : UpdateDisplay {
    void ClearDisplay() override {}
    void AppendLine(const std::string&) override {}
    void SetProgress(int) override {}
};

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The sequence itself, from opening the bootloader to the reset, with an
// erase that takes no time: all that is left is reports and the program.
void BM_PacedUpdateSequence(benchmark::State& state) {
    long reports = 0;
    double seconds = 0;
    for (auto _ : state) {
        VirtualProgrammer programmer(PacedBootloader(0), SystemClock());
        VirtualBackend virtualUsb(programmer);
        CountingBackend usb(virtualUsb);
        Comm comm(usb, SystemClock());
        NoDisplay display;
        UpdateSequence sequence(comm, CarriedImage(), display, SystemClock());
        const auto start = std::chrono::steady_clock::now();
        if (!sequence.Run()) state.SkipWithError("the update did not succeed");
        seconds += Seconds(start);
        reports += usb.reports;
    }
    state.counters["reports"] =
        static_cast<double>(reports) / static_cast<double>(state.iterations());
    state.counters["ratio_to_reports_alone"] = seconds / (static_cast<double>(reports) / 1000.0);
}
BENCHMARK(BM_PacedUpdateSequence)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The whole update as the window runs it: the first poll after a second, the
// 1.5 s erase, the sequence on its worker, the window's half second before it
// closes. The ratio sets those fixed waits aside.
void BM_PacedWholeUpdate(benchmark::State& state) {
    constexpr double kFixedWaits = 1.0 + 1.5 + 0.5;
    long reports = 0;
    double seconds = 0;
    for (auto _ : state) {
        VirtualProgrammer programmer(PacedBootloader(1500), SystemClock());
        VirtualBackend virtualUsb(programmer);
        CountingBackend usb(virtualUsb);
        HeadlessUpdateWindows windows(SystemClock(), {}, true);
        FirmwareUpdater updater(usb, SystemClock(), windows, CarriedImage());
        const auto start = std::chrono::steady_clock::now();
        if (!updater.RunUpdate().succeeded) state.SkipWithError("the update did not succeed");
        seconds += Seconds(start) - kFixedWaits;
        reports += usb.reports;
    }
    state.counters["reports"] =
        static_cast<double>(reports) / static_cast<double>(state.iterations());
    state.counters["ratio_to_reports_alone"] = seconds / (static_cast<double>(reports) / 1000.0);
}
BENCHMARK(BM_PacedWholeUpdate)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
