// The Config command over the session: when it opens, what it opens on, and
// the checksum when it closes.
#include <gtest/gtest.h>

#include <functional>

#include <fmt/format.h>

#include "config/ConfigCommand.h"
#include "config/ConfigRig.h"
#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

// Stands for the window: does what the user would while it is open.
struct ScriptedDialog final : ConfigDialogPort {
    std::function<void(ConfigModel&)> user;
    int runs = 0;
    void Run(ConfigModel& model) override {
        ++runs;
        if (user) user(model);
    }
};

struct Connected {
    explicit Connected(const DeviceRecord& device) {
        session.State().AppState = 1;
        session.Activate(device);
        session.Buffer().FillWithBlank(device);
        session.UpdateChecksum();
    }
    Rig rig;
    Session& session = rig.presenter.Session();
    ConfigBitsState& bits = rig.presenter.ConfigBits();
};

TEST(ConfigCommand, NothingInDemonstrationMode) {
    Connected c(ConfigRig::Shipped("16F84A"));
    c.session.State().AppState = 0;
    c.session.Buffer()[0x400E] = 0xFF;
    ScriptedDialog dialog;
    EXPECT_FALSE(ConfigCommand(c.session, c.bits).Run(dialog));
    EXPECT_EQ(dialog.runs, 0);
    EXPECT_EQ(c.session.Buffer()[0x400E], 0xFF) << "not even the mask step";
}

TEST(ConfigCommand, NothingWithoutADevice) {
    Rig rig;
    rig.presenter.Session().State().AppState = 1;
    ScriptedDialog dialog;
    EXPECT_FALSE(ConfigCommand(rig.presenter.Session(), rig.presenter.ConfigBits()).Run(dialog));
    EXPECT_EQ(dialog.runs, 0);
}

TEST(ConfigCommand, AChangedWordShowsInTheChecksumWhenTheDialogCloses) {
    Connected c(ConfigRig::Shipped("16F84A"));
    const std::string before = c.session.Panel().Label(PanelLabel::CheckL);
    ScriptedDialog dialog;
    dialog.user = [](ConfigModel& model) {
        EXPECT_EQ(model.Which(), config::Dialog::Pic);
        const auto at = model.Find("RG9_Osc");
        ASSERT_TRUE(at);
        model.Click(at->first, at->second, 0);
    };
    EXPECT_TRUE(ConfigCommand(c.session, c.bits).Run(dialog));
    EXPECT_EQ(dialog.runs, 1);
    EXPECT_EQ(c.session.Buffer()[0x400F], 0xFC);
    // The checksum adds the configuration word: three less now.
    const unsigned sum = std::stoul(before, nullptr, 16);
    EXPECT_EQ(c.session.Panel().Label(PanelLabel::CheckL),
              fmt::format("{:04X}", (sum - 3) & 0xFFFF));
}

TEST(ConfigCommand, StaysOpenForAFrontEndUntilClosed) {
    Connected c(ConfigRig::Shipped("16F84A"));
    ConfigCommand config(c.session, c.bits);
    ConfigModel* model = config.Open();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(config.Open(), model);
    c.session.Buffer()[0x400F] = 0xF0;
    const std::string before = c.session.Panel().Label(PanelLabel::CheckL);
    config.Close();
    EXPECT_EQ(config.Model(), nullptr);
    EXPECT_NE(c.session.Panel().Label(PanelLabel::CheckL), before);
}

// The other families' values live for the whole run: across openings and
// device changes, and only there.
TEST(ConfigCommand, TheStateRecordOutlivesDialogsAndDevices) {
    {
        Connected c(DeviceBuilder('M', 0x1FFF, "ATmega8").ConfigType(204));
        EXPECT_EQ(c.bits.FuseLow, 0);
        c.bits.FuseLow = 0xE1;
        ScriptedDialog dialog;
        dialog.user = [](ConfigModel& model) { EXPECT_EQ(model.Which(), config::Dialog::Other); };
        EXPECT_TRUE(ConfigCommand(c.session, c.bits).Run(dialog));
        c.session.Activate(ConfigRig::Shipped("16F84A"));
        ScriptedDialog pic;
        EXPECT_TRUE(ConfigCommand(c.session, c.bits).Run(pic));
        EXPECT_EQ(c.rig.presenter.ConfigBits().FuseLow, 0xE1);
    }
    Rig restarted;
    EXPECT_EQ(restarted.presenter.ConfigBits().FuseLow, 0);
}

}  // namespace
}  // namespace karvo::test
