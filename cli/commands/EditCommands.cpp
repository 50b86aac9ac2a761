#include <strings.h>

#include <cstdio>
#include <functional>
#include <memory>

#include <fmt/format.h>

#include "CliSession.h"
#include "commands/Commands.h"
#include "editor/CopyDialogModel.h"
#include "editor/EditCommand.h"
#include "editor/FillDialogModel.h"
#include "editor/SearchDialogModel.h"
#include "editor/Utf8.h"

namespace karvo::cli {

namespace {

using Words = CliSession::Words;
// What one `edit` command does to the open editor.
using EditAction = std::function<void(HexEditorModel&)>;

bool SameText(const std::string& a, const char* b) {
    return strcasecmp(a.c_str(), b) == 0;
}

// The editor stays open from the first `edit` to the next other command.
class EditorSession {
  public:
    explicit EditorSession(CliSession& cli) : cli_(cli), command_(cli.Presenter().Session()) {}

    int Run(const Words& args);
    void Close() { command_.Close(); }

  private:
    // The action a command line asks for; nullopt (and a complaint) when it
    // is not one.
    std::optional<EditAction> Parse(const Words& args);
    void Show(const std::optional<EditorBox>& box) {
        if (box) cli_.Prompts().ShowMessage(box->kind, box->caption, box->text);
    }
    void PrintPage(const HexEditorModel& editor) const;

    CliSession& cli_;
    EditCommand command_;
};

std::optional<EditorKey> KeyNamed(const std::string& name) {
    constexpr std::pair<const char*, EditorKey> kKeys[] = {
        {"Up", EditorKey::Up},         {"Down", EditorKey::Down},
        {"Left", EditorKey::Left},     {"Right", EditorKey::Right},
        {"PageUp", EditorKey::PageUp}, {"PageDown", EditorKey::PageDown},
        {"Home", EditorKey::Home}};
    for (const auto& [text, key] : kKeys) {
        if (SameText(name, text)) return key;
    }
    return std::nullopt;
}

bool IsHexText(const std::string& text) {
    return ParseHex(text).has_value();
}

std::optional<EditAction> EditorSession::Parse(const Words& args) {
    const std::string& what = args[0];
    const std::size_t n = args.size();
    auto wrong = [&what](const char* form) -> std::optional<EditAction> {
        Complain(fmt::format("edit {} takes {}", what, form));
        return std::nullopt;
    };
    if (what == "addr") {
        if (n != 2 || args[1].size() > 8 || !IsHexText(args[1])) {
            return wrong("an address of at most 8 hexadecimal digits");
        }
        // Typed from the start of the box, as its eight digits.
        const std::string digits = std::string(8 - args[1].size(), '0') + args[1];
        return [digits](HexEditorModel& editor) {
            editor.SetAddressCaret(0);
            for (const char c : digits) editor.TypeAddress(static_cast<char32_t>(c));
        };
    }
    if (what == "type") {
        if (n != 3 || (args[1] != "hex" && args[1] != "ascii")) return wrong("hex|ascii TEXT");
        const bool hex = args[1] == "hex";
        return [this, hex, text = args[2]](HexEditorModel& editor) {
            for (const char32_t c : CharactersOf(text)) {
                const auto box = hex ? editor.TypeHex(c) : editor.TypeAscii(c);
                if (box) {
                    // The rest of the text goes unread, as after a box a user
                    // looks before typing on.
                    Show(box);
                    return;
                }
            }
        };
    }
    if (what == "key") {
        const auto key = n == 2 ? KeyNamed(args[1]) : std::nullopt;
        if (!key) return wrong("Up, Down, Left, Right, PageUp, PageDown or Home");
        return [key = *key](HexEditorModel& editor) { editor.Key(key); };
    }
    if (what == "find") {
        if (n != 3 || (args[1] != "hex" && args[1] != "ascii")) return wrong("hex|ascii TEXT");
        return [this, hex = args[1] == "hex", text = args[2]](HexEditorModel& editor) {
            SearchDialogModel search;
            if (!hex) search.ClickHexAscii();
            search.SetText(text);
            Show(search.Find(editor).box);
        };
    }
    if (what == "fill") {
        const bool byName = n == 5;
        if ((n != 4 && n != 5) || (byName && args[4] != "byte" && args[4] != "word")) {
            return wrong("FROM TO DATA [byte|word]");
        }
        if (args[1].size() > 8 || args[2].size() > 8)
            return wrong("FROM and TO of at most 8 digits");
        const int mode = byName ? (args[4] == "word" ? 2 : 1) : 0;
        FillDialogModel probe(cli_.Presenter().Device());
        if (mode == 1) probe.ClickByte();
        if (mode == 2) probe.ClickWord();
        if (CharactersOf(args[3]).size() > static_cast<std::size_t>(probe.DataLength())) {
            return wrong(probe.WordMode() ? "DATA of at most 4 digits in word mode"
                                          : "DATA of at most 2 digits in byte mode");
        }
        return [this, mode, args](HexEditorModel& editor) {
            FillDialogModel fill(editor.Device());
            if (mode == 1) fill.ClickByte();
            if (mode == 2) fill.ClickWord();
            fill.SetFrom(args[1]);
            fill.SetTo(args[2]);
            fill.SetData(args[3]);
            Show(fill.Ok(editor).box);
        };
    }
    if (what == "copy" || what == "move") {
        const bool move = what == "move";
        if (n != 4 && !(move && n == 5)) {
            return wrong(move ? "FROM COUNT TO [REPLACE]" : "FROM COUNT TO");
        }
        for (std::size_t i = 1; i < 4; ++i) {
            if (args[i].size() > 8) return wrong("FROM, COUNT and TO of at most 8 digits");
        }
        return [this, move, args](HexEditorModel& editor) {
            CopyDialogModel dialog(move ? CopyForm::Move : CopyForm::Copy, editor.SelectedOffset());
            dialog.SetBeginAdd(args[1]);
            dialog.SetNrBytes(args[2]);
            dialog.SetWhereAdd(args[3]);
            if (args.size() == 5) dialog.SetReplaceEd(args[4]);
            Show((move ? dialog.MoveClick(editor) : dialog.CopyClick(editor)).box);
        };
    }
    if (n == 1 && what == "again") {
        return [this](HexEditorModel& editor) { Show(editor.Again()); };
    }
    if (n == 1 && what == "undo") return [](HexEditorModel& editor) { editor.Undo(); };
    if (n == 1 && what == "redo") return [](HexEditorModel& editor) { editor.Redo(); };
    if (n == 1 && what == "page") {
        return [this](HexEditorModel& editor) { PrintPage(editor); };
    }
    Complain("edit: unknown or malformed: edit " + what + " (see --help)");
    return std::nullopt;
}

int EditorSession::Run(const Words& args) {
    const auto action = Parse(args);
    if (!action) return kUsage;
    HexEditorModel* editor = command_.Model();
    if (editor == nullptr) {
        if (!cli_.Presenter().Panel().Enabled(ToolButton::SB_Edit)) {
            Complain("edit: the Edit command is not available for the current device");
            return kFailed;
        }
        editor = command_.Open();
        if (editor == nullptr) {
            Complain("edit: the editor cannot open while the programmer is busy");
            return kFailed;
        }
    }
    (*action)(*editor);
    return kOk;
}

void EditorSession::PrintPage(const HexEditorModel& editor) const {
    // As the grid shows it: address, the hex block, the ASCII block.
    for (int row = 0; row < kEditorRows; ++row) {
        std::string line = fmt::format("{:08X}:", editor.PageStart() + 16u * row);
        std::string ascii;
        for (int col = 0; col < kEditorColumns; ++col) {
            const std::string hex = editor.HexCell(row, col);
            line += ' ' + (hex.empty() ? std::string("  ") : hex);
            const std::string shown = editor.AsciiCell(row, col);
            ascii += shown.empty() ? std::string(" ") : shown;
        }
        std::printf("%s  %s\n", line.c_str(), ascii.c_str());
    }
    std::printf("CurrAdd=%s Row=%d Col=%d CsumText=%s\n", editor.CurrAdd().c_str(),
                editor.SelectedRow(), editor.SelectedCol(), editor.CsumText().c_str());
    std::fflush(stdout);
}

}  // namespace

void RegisterEditCommands(CliSession& session) {
    auto editor = std::make_shared<EditorSession>(session);
    session.Register("edit", 1, -1,
                     [editor](const CliSession::Words& args) { return editor->Run(args); });
    // Any other command, and the end of the run, closes the editor: the
    // checksum is recomputed as when its window closes.
    session.BeforeEachCommand([editor](const std::string& name) {
        if (name != "edit") editor->Close();
    });
}

}  // namespace karvo::cli
