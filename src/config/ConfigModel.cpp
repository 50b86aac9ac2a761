#include "config/ConfigModel.h"

#include <fmt/format.h>

#include "buffer/HexText.h"
#include "catalogue/ChipFacts.h"
#include "config/Conditions.h"
#include "config/PageHooks.h"

namespace karvo {

using config::ControlKind;
using config::ControlRow;
using config::Dialog;
using config::PageRow;
using config::PageSet;

namespace {

std::vector<std::string> SplitItems(std::string_view items) {
    std::vector<std::string> out;
    if (items.empty()) return out;
    while (true) {
        const std::size_t bar = items.find('|');
        out.emplace_back(items.substr(0, bar));
        if (bar == std::string_view::npos) break;
        items.remove_prefix(bar + 1);
    }
    return out;
}

// The row's own fields, with those its variants replace.
struct Effective {
    std::string_view caption;
    std::string_view items;
    std::string_view writes;
    std::string_view opens;
};

Effective Resolve(const ControlRow& row, std::span<const config::VariantRow> variants,
                  const config::ConditionContext& context, bool deviceOnly) {
    Effective e{row.caption, row.items, row.writes.Text(), row.opens.Text()};
    bool caption = false;
    bool items = false;
    bool writes = false;
    bool opens = false;
    for (const config::VariantRow& v : variants) {
        if (v.control != row.name) continue;
        if (deviceOnly && config::AsksControls(v.when)) continue;
        if (!config::Holds(v.when, context)) continue;
        if (!caption && !v.caption.empty()) {
            e.caption = v.caption;
            caption = true;
        }
        if (!items && !v.items.empty()) {
            e.items = v.items;
            items = true;
        }
        if (!writes && !v.writes.Empty()) {
            e.writes = v.writes.Text();
            writes = true;
        }
        if (!opens && !v.opens.Empty()) {
            e.opens = v.opens.Text();
            opens = true;
        }
    }
    return e;
}

bool IsChoice(ControlKind kind) {
    return kind == ControlKind::CheckBox || kind == ControlKind::RadioGroup ||
           kind == ControlKind::ComboBox;
}

}  // namespace

int ConfigModel::Control::Choices() const {
    if (row->kind == ControlKind::CheckBox) return 2;
    return static_cast<int>(items.size());
}

bool ConfigModel::Control::Offered(int choice) const {
    if (choice < 0 || choice >= Choices()) return false;
    return row->offered == 0 || choice < row->offered;
}

void ConfigModel::Close() {
    // BitBtn1Click: the fields kept back till now are stored. They are
    // hidden, so they hold their design text, which the self-check keeps
    // hexadecimal: no conversion error can come of it.
    for (Page& page : pages_) {
        for (Control& c : page.controls) {
            if (c.row->hook == config::RowHook::StoredOnClose) Store(c);
        }
    }
}

ConfigModel::ConfigModel(const DeviceRecord& device, MemoryBuffer& buffer, ConfigBitsState& bits,
                         std::span<const PageSet> sets)
    : device_(device), buffer_(buffer), bits_(bits), sets_(sets) {}

void ConfigModel::Open() {
    pages_.clear();
    active_ = 0;
    ids_ = IdGroup::None;
    idTexts_.clear();
    if (device_.Family() == Family::Pic) {
        dialog_ = Dialog::Pic;
        const PicAreas areas = PicAreasFor(device_);
        store_ = std::make_unique<config::PicAreaStore>(buffer_, device_, areas.configOffset);
        idOffset_ = areas.idOffset;
        if (HasIdLocations(device_) && IdInBuffer()) {
            ids_ = IsExtendedPicLayout(device_) ? IdGroup::Bytes : IdGroup::Words;
        }
    } else {
        dialog_ = Dialog::Other;
        store_ = std::make_unique<config::BitsStateStore>(bits_);
    }
    const PageSet* set = config::FindPageSet(sets_, dialog_, device_.ConfigType());
    const config::ConditionContext context{device_};
    // A chip the pages are not drawn for gets none, as a type without pages.
    if (set != nullptr && !config::Holds(set->shown, context)) set = nullptr;
    Normalise();
    if (set != nullptr) {
        for (const config::ClearedCell& cleared : set->clearedAtOpening) {
            if (config::Holds(cleared.when, context)) store_->Write(cleared.cell, cleared.value);
        }
        BuildPageStates(*set);
    }
    ReadIds();
    Refresh();
}

// Opening clears every bit the part does not implement, so the page shows
// (and the next Program writes) only what the chip can hold. The PIC18 pages
// keep their defaults as they are.
void ConfigModel::Normalise() {
    if (dialog_ != Dialog::Pic || IsExtendedPicLayout(device_)) return;
    const auto& store = static_cast<const config::PicAreaStore&>(*store_);
    // Word by word, so an odd count still takes the whole last word.
    for (std::uint8_t i = 0; i < store.Count(); i += 2) {
        for (std::uint8_t cell : {i, static_cast<std::uint8_t>(i + 1)}) {
            if (cell >= DeviceRecord::kConfigMaskSize) break;
            const std::uint8_t masked = store_->Read(cell) & device_.ConfigMask(cell);
            if (masked != store_->Read(cell)) store_->Write(cell, masked);
        }
    }
}

void ConfigModel::BuildPageStates(const PageSet& set) {
    for (const PageRow& row : set.pages) {
        Page page;
        page.row = &row;
        page.caption = row.caption != nullptr ? std::string(row.caption) : device_.DevName();
        for (const ControlRow& control : row.controls) {
            Control state;
            state.row = &control;
            state.caption = std::string(control.caption);
            state.items = SplitItems(control.items);
            if (control.kind == ControlKind::Edit || control.kind == ControlKind::Display) {
                state.text = std::string(control.caption);
            }
            page.controls.push_back(std::move(state));
        }
        for (const config::LabelRow& label : row.labels)
            page.labels.push_back({std::string(label.name), {}});
        pages_.push_back(std::move(page));
    }
}

void ConfigModel::Refresh(const Control* typing) {
    for (Page& page : pages_) RefreshPage(page, typing);
}

// Two passes: the values as the chip's variants give them, then captions,
// items, enables and values again with every control's value known, for the
// variants that ask about another control.
void ConfigModel::RefreshPage(Page& page, const Control* typing) {
    const auto variants = page.row->variants;
    auto decode = [this](Control& c, const Effective& e) {
        if (!IsChoice(c.Kind())) return;
        c.value = config::DecodeOpening(
            e.opens, e.writes,
            c.Kind() == ControlKind::CheckBox ? 2 : static_cast<int>(SplitItems(e.items).size()),
            c.Kind() == ControlKind::CheckBox, *store_);
    };
    for (Control& c : page.controls) {
        const config::ConditionContext context{device_};
        decode(c, Resolve(*c.row, variants, context, true));
    }
    auto valueOf = [&page](std::string_view name) {
        for (const Control& other : page.controls) {
            if (other.Name() == name) return other.value;
        }
        return -1;
    };
    for (Control& c : page.controls) {
        config::ConditionContext context{device_, c.value, valueOf};
        const Effective e = Resolve(*c.row, variants, context, false);
        decode(c, e);
        context.self = c.value;
        const Effective shown = Resolve(*c.row, variants, context, false);
        c.caption = std::string(shown.caption);
        c.items = SplitItems(shown.items);
        c.writes = shown.writes;
        c.visible = config::Holds(c.row->visible, context);
        c.enabled = config::Holds(c.row->enabled, context);
        // An edit field with an opening shows the stored value, in four or
        // more digits, except while the user types into it.
        if (c.Kind() == ControlKind::Edit && &c != typing) {
            config::OpenRule rule;
            if (config::notation::ParseOpen(c.row->opens.Text(), rule).empty() &&
                rule.kind == config::OpenRule::Kind::Value) {
                const std::uint32_t value =
                    (config::ReadUnit(*store_, *rule.unit) & rule.FieldMask()) >> rule.lo;
                c.text = fmt::format("{:04X}", value);
            }
        }
    }
    // A control in a hidden group is hidden with it.
    for (Control& c : page.controls) {
        if (c.row->parent.empty()) continue;
        for (const Control& group : page.controls) {
            if (group.Name() == c.row->parent && !group.visible) c.visible = false;
        }
    }
    for (std::size_t i = 0; i < page.labels.size(); ++i) {
        const config::LabelRow& label = page.row->labels[i];
        page.labels[i].text = fmt::format("{}{:02X}", label.prefix, store_->Read(label.cell));
    }
}

void ConfigModel::SetActivePage(int page) {
    if (page >= 0 && page < static_cast<int>(pages_.size())) active_ = page;
}

std::optional<std::pair<int, int>> ConfigModel::Find(std::string_view name) const {
    for (std::size_t p = 0; p < pages_.size(); ++p) {
        for (std::size_t c = 0; c < pages_[p].controls.size(); ++c) {
            if (pages_[p].controls[c].Name() == name) {
                return std::pair{static_cast<int>(p), static_cast<int>(c)};
            }
        }
    }
    return std::nullopt;
}

void ConfigModel::Click(int page, int control, int choice) {
    if (page < 0 || page >= static_cast<int>(pages_.size())) return;
    Page& p = pages_[static_cast<std::size_t>(page)];
    if (control < 0 || control >= static_cast<int>(p.controls.size())) return;
    Control& c = p.controls[static_cast<std::size_t>(control)];
    // Only what the user can reach: a shown, enabled control and one of its items.
    if (!IsChoice(c.Kind()) || !c.visible || !c.enabled || !c.Offered(choice)) return;
    choice = config::BeforeWrite(c.row->hook, c.items, choice);
    // The bits as the page shows them now: refreshed after every write.
    config::ApplyWrites(c.writes, choice, *store_);
    config::AfterWrite(c.row->hook, choice, *store_);
    Refresh();
}

std::optional<ConfigBox> ConfigModel::TypeText(int page, int control, const std::string& text) {
    if (page < 0 || page >= static_cast<int>(pages_.size())) return std::nullopt;
    Page& p = pages_[static_cast<std::size_t>(page)];
    if (control < 0 || control >= static_cast<int>(p.controls.size())) return std::nullopt;
    Control& c = p.controls[static_cast<std::size_t>(control)];
    if (c.Kind() != ControlKind::Edit || !c.visible || !c.enabled) return std::nullopt;
    c.text = text;
    // A field read only when the dialog closes keeps its text till then.
    if (c.row->hook == config::RowHook::StoredOnClose) return std::nullopt;
    return Store(c);
}

std::optional<ConfigBox> ConfigModel::Store(Control& c) {
    const auto value = ParseTypedHex(c.text);
    if (!value) return ConfigBox{kProgramCaption, ConversionErrorText("$" + c.text)};
    // An edit field writes the number typed as its choice.
    config::ApplyWrites(c.row->writes.Text(), static_cast<int>(*value), *store_);
    Refresh(&c);
    return std::nullopt;
}

bool ConfigModel::IdInBuffer() const {
    return buffer_.Data() != nullptr && idOffset_ < buffer_.Allocated &&
           buffer_.Allocated - idOffset_ >= 8;
}

std::uint32_t ConfigModel::IdOffset(std::size_t field) const {
    // The ID words keep their value in the low byte.
    return ids_ == IdGroup::Bytes ? idOffset_ + static_cast<std::uint32_t>(field)
                                  : idOffset_ + 2 * static_cast<std::uint32_t>(field) + 1;
}

std::string ConfigModel::IdName(std::size_t field) const {
    if (ids_ == IdGroup::Bytes) return fmt::format("ID27{}", field);
    return field == 0 ? "ID_0" : fmt::format("ID{}", field);
}

int ConfigModel::IdDigits() const {
    return 2;
}

std::uint32_t ConfigModel::IdLargest() const {
    if (ids_ == IdGroup::Bytes) return 0xFF;
    return device_.ConfigType() == pic::kConfigTypeRepeatedCp ? 0x0F : 0x7F;
}

void ConfigModel::ReadIds() {
    idTexts_.clear();
    const std::size_t count = ids_ == IdGroup::Bytes ? 8 : ids_ == IdGroup::Words ? 4 : 0;
    for (std::size_t i = 0; i < count; ++i) {
        idTexts_.push_back(fmt::format("{:02X}", buffer_[IdOffset(i)] & IdLargest()));
    }
}

ConfigModel::IdResult ConfigModel::TypeId(std::size_t field, const std::string& text,
                                          std::optional<ConfigBox>& box) {
    box.reset();
    if (field >= idTexts_.size()) return IdResult::TooLong;
    const auto value = ParseTypedHex(text);
    if (!value) {
        box = ConfigBox{kProgramCaption, ConversionErrorText("$" + text)};
        return IdResult::NotHex;
    }
    // The field holds what the chip keeps: more would be cut without a word.
    if (text.size() > static_cast<std::size_t>(IdDigits()) || *value > IdLargest()) {
        return IdResult::TooLong;
    }
    idTexts_[field] = text;
    auto byte = static_cast<std::uint8_t>(*value);
    if (ids_ == IdGroup::Words) {
        byte |= device_.ConfigType() == pic::kConfigTypeRepeatedCp ? 0xF0 : 0x80;
    }
    buffer_[IdOffset(field)] = byte;
    buffer_.Cursor = IdOffset(field);
    return IdResult::Stored;
}

bool ConfigModel::IdGroupVisible() const {
    if (ids_ == IdGroup::None) return false;
    if (pages_.empty()) return true;
    return pages_[static_cast<std::size_t>(active_)].row->showsIdGroup;
}

}  // namespace karvo
