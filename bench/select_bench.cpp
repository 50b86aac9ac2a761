// The Select command against the shipped catalogue: preparing the selection
// dialog's lists, and a whole Select of the largest chip (activation, blank
// fill and checksum of its buffer). Peer: filling and summing the same number
// of bytes with memset and std::accumulate.
#include <benchmark/benchmark.h>

#include <cstring>
#include <numeric>

#include "catalogue/DataFileNames.h"
#include "catalogue/DeviceDataFile.h"
#include "catalogue/SelectCommand.h"
#include "session/ProgramDirectory.h"
#include "support/RecordingPorts.h"

namespace {

using namespace karvo;
using namespace karvo::test;

struct Largest {
    const char* file = nullptr;
    int manuf = -1;
    int device = -1;
    std::uint32_t size = 0;
};

Largest FindLargest() {
    Largest best;
    for (const char* name : {kEpromFileName, kMicroFileName}) {
        const auto file = DeviceDataFile::Open(std::string(KARVO_BIN_DIR) + "/" + name);
        if (!file) continue;
        for (std::size_t m = 0; m < file->Manufacturers().size(); ++m) {
            for (std::size_t j = 0; j < file->Manufacturers()[m].deviceCount; ++j) {
                const DeviceRecord r = *file->Record(m, j);
                const std::uint32_t size = MemoryBuffer::ActivationSize(r);
                if (size > best.size) best = {name, static_cast<int>(m), static_cast<int>(j), size};
            }
        }
    }
    return best;
}

void BM_SelectLargestChip(benchmark::State& state) {
    MakeCurrentDirectory(KARVO_BIN_DIR);
    Rig rig;
    rig.programmer.LearnChipTypes(ChipTypes::FromDataFiles({kEpromFileName, kMicroFileName}));
    rig.presenter.StartUp();
    const Largest target = FindLargest();
    PickDevice pick(std::string(target.file) == kEpromFileName ? SelectionModel::kEEprom
                                                               : SelectionModel::kMicro,
                    target.manuf, target.device);
    for (auto _ : state) SelectCommand(rig.presenter.Session()).Run(pick);
    state.SetLabel(rig.presenter.Device().DevName() + ", buffer " +
                   std::to_string(rig.presenter.Buffer().Allocated) + " bytes");
}
BENCHMARK(BM_SelectLargestChip)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PeerFillAndSum2MiB(benchmark::State& state) {
    std::vector<std::uint8_t> bytes;
    for (auto _ : state) {
        bytes = std::vector<std::uint8_t>(0x200000);
        std::memset(bytes.data(), 0xFF, bytes.size());
        benchmark::DoNotOptimize(std::accumulate(bytes.begin(), bytes.end(), std::uint32_t{0}));
    }
}
BENCHMARK(BM_PeerFillAndSum2MiB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PrepareSelectionDialog(benchmark::State& state) {
    MakeCurrentDirectory(KARVO_BIN_DIR);
    RecordingPrompts prompts;
    std::string file = kMicroFileName;
    std::int32_t manuf = 1, device = 0;
    for (auto _ : state) {
        SelectionModel model(file, manuf, device, kEpromFileBit | kMicroFileBit, prompts);
        model.Prepare();
        benchmark::DoNotOptimize(model.Devices().size());
    }
}
BENCHMARK(BM_PrepareSelectionDialog)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
