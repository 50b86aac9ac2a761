#pragma once
#include <memory>

#include "editor/HexEditorModel.h"
#include "editor/HexEditorPort.h"
#include "session/Session.h"

namespace karvo {

// The main window's Edit command: the hex editor over the session's buffer,
// and the checksum recomputed when it closes. The command owns the editor's
// model for as long as the editor is open.
class EditCommand {
  public:
    explicit EditCommand(Session& session) : session_(session), checksum_(session) {}
    ~EditCommand() { Close(); }
    EditCommand(const EditCommand&) = delete;
    EditCommand& operator=(const EditCommand&) = delete;

    // SB_EditClick: the editor window, modal; false when it may not open.
    bool Run(HexEditorPort& window);

    // For a front end whose editor stays open over several of its commands
    // (karvo-cli): opens the editor, or returns null when it may not open.
    HexEditorModel* Open();
    HexEditorModel* Model() { return model_.get(); }
    // Closes the editor, if open, and recomputes the checksum.
    void Close();

  private:
    class SessionChecksum final : public ChecksumUpdater {
      public:
        explicit SessionChecksum(Session& session) : session_(session) {}
        std::uint32_t UpdateChecksum() override { return session_.UpdateChecksum(); }

      private:
        Session& session_;
    };

    Session& session_;
    SessionChecksum checksum_;
    std::unique_ptr<HexEditorModel> model_;
};

}  // namespace karvo
