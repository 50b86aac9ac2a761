#include <gtest/gtest.h>

#include "editor/EditCommand.h"
#include "support/Devices.h"
#include "support/RecordingPorts.h"

namespace karvo {
namespace {

using test::DeviceBuilder;

// Stands for the window: does what the user would while it is open.
struct ScriptedEditor final : HexEditorPort {
    std::function<void(HexEditorModel&)> user;
    int runs = 0;
    void Run(HexEditorModel& model) override {
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
    test::Rig rig;
    Session& session = rig.presenter.Session();
};

TEST(EditCommand, OpensOnTheBufferAndSumsWhenItCloses) {
    Connected c(DeviceBuilder('E', 0x7FF));
    EXPECT_EQ(c.session.Panel().Label(PanelLabel::CheckL), "F800");
    ScriptedEditor window;
    window.user = [&](HexEditorModel& model) {
        EXPECT_EQ(c.session.Buffer().Available, 0x1000u);
        EXPECT_EQ(model.CsumText(), "0xF800");
        EXPECT_FALSE(model.TypeHex(U'0'));
        EXPECT_FALSE(model.TypeHex(U'0'));
        // Typing already shows in the main window.
        EXPECT_EQ(c.session.Panel().Label(PanelLabel::CheckL), "F701");
        c.session.Buffer()[1] = 0;  // as a tool of the editor might
    };
    EXPECT_TRUE(EditCommand(c.session).Run(window));
    EXPECT_EQ(window.runs, 1);
    EXPECT_EQ(c.session.Panel().Label(PanelLabel::CheckL), "F602");
    // The editor's size stays in force until the buffer is allocated again.
    EXPECT_EQ(c.session.Buffer().Available, 0x1000u);
}

TEST(EditCommand, NothingInDemonstrationMode) {
    Connected c(DeviceBuilder('E', 0x7FF));
    c.session.State().AppState = 0;
    ScriptedEditor window;
    EXPECT_FALSE(EditCommand(c.session).Run(window));
    EXPECT_EQ(window.runs, 0);
    EXPECT_EQ(c.session.Buffer().Available, c.session.Buffer().Allocated);
}

TEST(EditCommand, NothingWithoutADevice) {
    test::Rig rig;
    rig.presenter.Session().State().AppState = 1;
    ScriptedEditor window;
    EXPECT_FALSE(EditCommand(rig.presenter.Session()).Run(window));
    EXPECT_EQ(window.runs, 0);
}

TEST(EditCommand, StaysOpenAcrossCommandsUntilClosed) {
    Connected c(DeviceBuilder('E', 0xFFFF));
    EditCommand edit(c.session);
    HexEditorModel* model = edit.Open();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(edit.Open(), model);
    model->TypeAscii(U'A');
    model->Undo();
    c.session.Buffer()[0] = 0x00;
    edit.Close();
    EXPECT_EQ(edit.Model(), nullptr);
    EXPECT_EQ(c.session.Panel().Label(PanelLabel::CheckL), "FF01");
    edit.Close();  // a second close sums nothing more and breaks nothing
}

}  // namespace
}  // namespace karvo
