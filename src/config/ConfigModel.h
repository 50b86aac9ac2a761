#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "buffer/MemoryBuffer.h"
#include "catalogue/DeviceRecord.h"
#include "config/ConfigBitsState.h"
#include "config/ConfigStore.h"
#include "config/pages/PageTables.h"

namespace karvo {

// A message box the dialog wants shown over itself.
struct ConfigBox {
    std::string caption;
    std::string text;
};

// The configuration dialog without its window: which pages the device's
// ConfigType shows, every control's caption, items, state, visibility and
// enable as the stored bits give them, the ID group and the hex labels, and
// what a click or a typed text writes. Every write refreshes the whole
// dialog from the stored bytes, so no control or label is ever stale.
class ConfigModel {
  public:
    struct Control {
        const config::ControlRow* row = nullptr;
        std::string caption;
        std::vector<std::string> items;
        bool visible = true;
        bool enabled = true;
        // Check box: 0 or 1; group or list: the chosen item, -1 none.
        int value = -1;
        std::string text;  // edit and display fields
        // The bits each choice writes on this chip, in the tables' notation.
        std::string_view writes;
        std::string_view Name() const { return row->name; }
        config::ControlKind Kind() const { return row->kind; }
        int Choices() const;
        // A choice the user may make: one of the items the row offers.
        bool Offered(int choice) const;
    };
    struct Label {
        std::string name;
        std::string text;
    };
    struct Page {
        const config::PageRow* row = nullptr;
        std::string caption;
        std::vector<Control> controls;
        std::vector<Label> labels;
        std::string_view Name() const { return row->name; }
    };

    enum class IdGroup {
        None,   // no ID locations (PIC17) or not a PIC dialog
        Words,  // GB_ID: ID_0 .. ID3, the low bytes of four ID words
        Bytes,  // GB_18F: ID270 .. ID277, eight ID bytes
    };
    enum class IdResult { Stored, NotHex, TooLong };

    // Captions of the boxes the dialog shows.
    static constexpr const char* kProgramCaption = "KARVO Mk2";

    ConfigModel(const DeviceRecord& device, MemoryBuffer& buffer, ConfigBitsState& bits,
                std::span<const config::PageSet> sets = config::AllPageSets());
    ConfigModel(const ConfigModel&) = delete;
    ConfigModel& operator=(const ConfigModel&) = delete;

    // BuildPages: picks the pages, normalises the stored values (the mask
    // step, the PIC18 cleared bytes) and sets every control from them.
    void Open();
    // The OK button: stores what a page keeps back till the dialog closes.
    void Close();

    config::Dialog Which() const { return dialog_; }
    const DeviceRecord& Device() const { return device_; }

    const std::vector<Page>& Pages() const { return pages_; }
    int ActivePage() const { return active_; }
    // PageControlChange: another tab; shows or hides the ID group.
    void SetActivePage(int page);
    // The page and index of a control by name, on any shown page.
    std::optional<std::pair<int, int>> Find(std::string_view name) const;

    // A click: a check box's new state, or the chosen item of a group or
    // list. Writes the control's bits and refreshes everything.
    void Click(int page, int control, int choice);
    // A change of an edit field; the conversion error when the text is not
    // hexadecimal.
    std::optional<ConfigBox> TypeText(int page, int control, const std::string& text);

    IdGroup Ids() const { return ids_; }
    bool IdGroupVisible() const;
    std::size_t IdCount() const { return idTexts_.size(); }
    std::string IdName(std::size_t field) const;
    const std::string& IdText(std::size_t field) const { return idTexts_[field]; }
    // How much the ID fields hold: digits, and the largest value.
    int IdDigits() const;
    std::uint32_t IdLargest() const;
    // ID_0Change: stores the typed value; NotHex with the conversion error in
    // `box`, TooLong (nothing stored) for more than the field holds.
    IdResult TypeId(std::size_t field, const std::string& text, std::optional<ConfigBox>& box);

  private:
    void Normalise();
    void BuildPageStates(const config::PageSet& set);
    // Every control and label from the stored bytes; `typing` keeps its text.
    void Refresh(const Control* typing = nullptr);
    void RefreshPage(Page& page, const Control* typing);
    std::optional<ConfigBox> Store(Control& c);
    void ReadIds();
    std::uint32_t IdOffset(std::size_t field) const;
    bool IdInBuffer() const;

    const DeviceRecord& device_;
    MemoryBuffer& buffer_;
    ConfigBitsState& bits_;
    std::span<const config::PageSet> sets_;
    config::Dialog dialog_ = config::Dialog::Other;
    std::unique_ptr<config::CellStore> store_;
    std::vector<Page> pages_;
    int active_ = 0;
    IdGroup ids_ = IdGroup::None;
    std::uint32_t idOffset_ = 0;
    std::vector<std::string> idTexts_;
};

}  // namespace karvo
