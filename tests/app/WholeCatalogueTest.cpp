#include <gtest/gtest.h>

#include <fmt/format.h>

#include "catalogue/DataFileNames.h"
#include "catalogue/DeviceDataFile.h"
#include "session/ProgramDirectory.h"
#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

// Every chip of the shipped catalogue can be selected with the (virtual)
// programmer connected: its parameter block is accepted, its buffer has the
// family's size and blank fill, and the toolbar follows its capability bits.
TEST(WholeCatalogue, EveryDeviceActivates) {
    const std::string previous = CurrentDirectory();
    ASSERT_TRUE(MakeCurrentDirectory(KARVO_BIN_DIR));
    Rig rig;
    rig.programmer.LearnChipTypes(ChipTypes::FromDataFiles({kEpromFileName, kMicroFileName}));
    rig.presenter.StartUp();
    int devices = 0;
    for (const auto& [fileName, family] :
         {std::pair{kEpromFileName, int{SelectionModel::kEEprom}},
          std::pair{kMicroFileName, int{SelectionModel::kMicro}}}) {
        const auto file = DeviceDataFile::Open(fileName);
        ASSERT_TRUE(file) << fileName;
        for (std::size_t m = 0; m < file->Manufacturers().size(); ++m) {
            for (std::size_t j = 0; j < file->Manufacturers()[m].deviceCount; ++j) {
                const DeviceRecord r = *file->Record(m, j);
                const std::string where = std::string(fileName) + " " + r.DevName();
                PickDevice pick(family, static_cast<int>(m), static_cast<int>(j));
                rig.log.lines.clear();
                SelectCommand(rig.presenter.Session()).Run(pick);
                ++devices;

                const auto& log = rig.log.lines;
                ASSERT_FALSE(log.empty()) << where;
                EXPECT_EQ(log.front(),
                          " Selected : " + file->Manufacturers()[m].name + "  " + r.DevName())
                    << where;
                EXPECT_EQ(log.back(), " Parameters sent OK") << where;
                EXPECT_EQ(rig.presenter.State().ErrorCount, 0) << where;
                EXPECT_EQ(rig.presenter.Buffer().Allocated, MemoryBuffer::ActivationSize(r))
                    << where;
                EXPECT_EQ(pick.notices, r.Family() == Family::Micro ? 1 : 0) << where;
                const MemoryBuffer& buffer = rig.presenter.Buffer();
                EXPECT_EQ(buffer[0], r.BlankValue()) << where;
                EXPECT_EQ(rig.presenter.Panel().Label(PanelLabel::CheckL),
                          fmt::format("{:04X}", buffer.ChecksumTotal & 0xFFFF))
                    << where;
                EXPECT_EQ(rig.presenter.Panel().Enabled(ToolButton::SB_Read),
                          (r.ButtonCaps() >> 5) & 1)
                    << where;
                EXPECT_EQ(rig.presenter.Panel().Enabled(ToolButton::SB_Erase), r.ButtonCaps2() & 1)
                    << where;
                // The virtual programmer shaped a chip of the record's full size.
                const std::size_t chipBytes =
                    rig.programmer.WithSocket([](std::optional<ChipModel>& c) {
                        return c && c->Area('e') ? c->Area('e')->bytes.size() : std::size_t{0};
                    });
                if (r.Family() == Family::Eprom) {
                    EXPECT_EQ(chipBytes, static_cast<std::size_t>(r.LastAddr()) + 1) << where;
                }
            }
        }
    }
    EXPECT_GE(devices, 150);
    MakeCurrentDirectory(previous);
}

}  // namespace
}  // namespace karvo::test
