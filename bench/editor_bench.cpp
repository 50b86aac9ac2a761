// The hex editor's own cost over a 2 MiB buffer: fill, copy, move, search and
// paging through it, each timed against what the C library (or a plain loop)
// does with the same bytes. Counter x_peer is the editor's time over the
// peer's, both measured in the same iterations. Fill, copy and move run with
// the checksum the session recomputes after them (checksum:1) and without it
// (checksum:0), the editor's own cost.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <random>
#include <string>

#include "buffer/MemoryBuffer.h"
#include "editor/HexEditorModel.h"
#include "support/Devices.h"

namespace {

using namespace karvo;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kSize = 0x200000;

// The checksum the session recomputes after every change; switched off, what
// is left is the editor's own cost.
struct Summing final : ChecksumUpdater {
    Summing(MemoryBuffer& b, const DeviceRecord& d) : buffer(b), device(d) {}
    std::uint32_t UpdateChecksum() override { return sum ? buffer.ComputeChecksum(device) : 0; }
    MemoryBuffer& buffer;
    const DeviceRecord& device;
    bool sum = true;
};

// A 2 MiB EPROM open in the editor, and a copy of its bytes for the peer.
struct Bench {
    explicit Bench(bool sum = true)
        : device(test::DeviceBuilder('E', kSize - 1)), checksum(buffer, device) {
        checksum.sum = sum;
        buffer.AllocateForDevice(device);
        buffer.FillWithBlank(device);
        editor.Open();
        peer.assign(buffer.Data(), buffer.Data() + kSize);
    }
    void Randomise() {
        std::mt19937 random(12345);
        for (std::uint32_t i = 0; i < kSize; ++i) {
            buffer[i] = static_cast<std::uint8_t>(random());
        }
        peer.assign(buffer.Data(), buffer.Data() + kSize);
    }
    DeviceRecord device;
    MemoryBuffer buffer;
    Summing checksum;
    HexEditorModel editor{buffer, device, checksum};
    std::vector<std::uint8_t> peer;
};

// Times ours and the peer's in turn each iteration; only ours is the
// benchmark's time.
template <typename Ours, typename Peer>
void Against(benchmark::State& state, Ours ours, Peer peer) {
    double oursTotal = 0;
    double peerTotal = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        ours();
        const auto t1 = Clock::now();
        peer();
        const auto t2 = Clock::now();
        const double seconds = std::chrono::duration<double>(t1 - t0).count();
        state.SetIterationTime(seconds);
        oursTotal += seconds;
        peerTotal += std::chrono::duration<double>(t2 - t1).count();
    }
    state.counters["x_peer"] = oursTotal / peerTotal;
    state.counters["peer_us"] = 1e6 * peerTotal / static_cast<double>(state.iterations());
}

void BM_Fill2MiB(benchmark::State& state) {
    Bench b(state.range(0) != 0);
    std::uint8_t value = 0;
    Against(
        state,
        [&] {
            ++value;
            benchmark::DoNotOptimize(b.editor.Fill(0, kSize - 1, value, false));
        },
        [&] {
            std::memset(b.peer.data(), value, kSize);
            benchmark::ClobberMemory();
        });
    state.SetLabel("memset, undo kept");
}
BENCHMARK(BM_Fill2MiB)
    ->ArgName("checksum")
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_Copy1MiB(benchmark::State& state) {
    Bench b(state.range(0) != 0);
    b.Randomise();
    Against(
        state,
        [&] {
            benchmark::DoNotOptimize(b.editor.CopyBlock(0, kSize / 2, kSize / 2, std::nullopt));
        },
        [&] {
            std::memmove(b.peer.data() + kSize / 2, b.peer.data(), kSize / 2);
            benchmark::ClobberMemory();
        });
    state.SetLabel("memmove, half onto half");
}
BENCHMARK(BM_Copy1MiB)
    ->ArgName("checksum")
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_MoveNearly2MiB(benchmark::State& state) {
    Bench b(state.range(0) != 0);
    b.Randomise();
    constexpr std::uint32_t kShift = 0x100;
    Against(
        state,
        [&] {
            benchmark::DoNotOptimize(
                b.editor.CopyBlock(0, kSize - kShift, kShift, std::uint8_t{0xFF}));
        },
        [&] {
            std::memmove(b.peer.data() + kShift, b.peer.data(), kSize - kShift);
            std::memset(b.peer.data(), 0xFF, kShift);
            benchmark::ClobberMemory();
        });
    state.SetLabel("memmove + memset, overlapping by all but 256 bytes");
}
BENCHMARK(BM_MoveNearly2MiB)
    ->ArgName("checksum")
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The pattern sits at the very end, so the whole buffer is searched.
void Search(benchmark::State& state, bool blank) {
    Bench b;
    if (!blank) b.Randomise();
    const std::vector<std::uint8_t> pattern = {0xFF, 0xFF, 0xFF, 0x00};
    std::memcpy(b.buffer.Data() + kSize - 4, pattern.data(), 4);
    std::memcpy(b.peer.data() + kSize - 4, pattern.data(), 4);
    Against(
        state,
        [&] {
            b.editor.Home();
            benchmark::DoNotOptimize(b.editor.Find(pattern));
            if (b.editor.SelectedOffset() != kSize - 4) state.SkipWithError("missed the match");
        },
        [&] {
            benchmark::DoNotOptimize(memmem(b.peer.data(), kSize, pattern.data(), pattern.size()));
        });
    state.SetLabel(blank ? "memmem, FF FF FF 00 in a blank buffer"
                         : "memmem, FF FF FF 00 in random bytes");
}
void BM_SearchRandom2MiB(benchmark::State& state) {
    Search(state, false);
}
void BM_SearchBlank2MiB(benchmark::State& state) {
    Search(state, true);
}
BENCHMARK(BM_SearchRandom2MiB)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchBlank2MiB)->UseManualTime()->Unit(benchmark::kMillisecond);

// Page Down from the first page to the last, reading every cell's text as
// the grid does; the peer turns the same bytes into hex and ASCII text.
void BM_Paging2MiB(benchmark::State& state) {
    Bench b;
    b.Randomise();
    std::size_t characters = 0;
    std::string text;
    Against(
        state,
        [&] {
            b.editor.Home();
            for (;;) {
                for (int row = 0; row < kEditorRows; ++row) {
                    characters += b.editor.AddressCell(row).size();
                    for (int col = 0; col < kEditorColumns; ++col) {
                        characters += b.editor.HexCell(row, col).size();
                        characters += b.editor.AsciiCell(row, col).size();
                    }
                }
                if (b.editor.PageStart() == b.editor.LastPage()) break;
                b.editor.Key(EditorKey::PageDown);
            }
        },
        [&] {
            static constexpr char kDigits[] = "0123456789ABCDEF";
            text.resize(kSize * 3);
            for (std::uint32_t i = 0; i < kSize; ++i) {
                const std::uint8_t v = b.peer[i];
                text[3 * i] = kDigits[v >> 4];
                text[3 * i + 1] = kDigits[v & 15];
                text[3 * i + 2] = v >= 32 && v <= 122 ? static_cast<char>(v) : '.';
            }
            benchmark::DoNotOptimize(text.data());
        });
    benchmark::DoNotOptimize(characters);
    state.SetLabel("8192 pages against a hex dump loop");
}
BENCHMARK(BM_Paging2MiB)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
