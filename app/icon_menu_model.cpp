#include "app/icon_menu_model.h"

#include <algorithm>

namespace vx {

namespace {

class TemplateReader {
  public:
    TemplateReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Word(std::uint16_t& out) {
        if (pos_ + 2 > size_) return false;
        out = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return true;
    }
    bool Text(std::u16string& out) {
        out.clear();
        for (std::uint16_t c; Word(c);) {
            if (c == 0) return true;
            out.push_back(static_cast<char16_t>(c));
        }
        return false;
    }
    bool Skip(std::size_t n) {
        if (pos_ + n > size_) return false;
        pos_ += n;
        return true;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

char16_t Lower(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c - u'A' + u'a');
    if (c >= u'Ａ' && c <= u'Ｚ') return static_cast<char16_t>(c - u'Ａ' + u'ａ');
    return c;
}

std::u16string Lower(std::u16string s) {
    for (char16_t& c : s) c = Lower(c);
    return s;
}

}  // namespace

bool ParseMenuTemplate(const std::uint8_t* data, std::size_t size,
                       std::vector<MenuTemplateItem>& topLevel) {
    topLevel.clear();
    TemplateReader in(data, size);
    std::uint16_t version = 0, offset = 0;
    if (!in.Word(version) || !in.Word(offset) || !in.Skip(offset)) return false;

    struct Open {
        std::vector<MenuTemplateItem>* items;
        bool ending;
    };
    std::vector<Open> stack{{&topLevel, false}};
    while (!stack.empty()) {
        MenuTemplateItem item;
        if (!in.Word(item.flags)) return false;
        if (!item.IsPopup() && !in.Word(item.id)) return false;
        if (!in.Text(item.text)) return false;

        Open& current = stack.back();
        if (item.IsPopup()) {
            if (item.flags & kMenuFlagLastItem) current.ending = true;
            current.items->push_back(std::move(item));
            stack.push_back({&current.items->back().children, false});
        } else {
            current.items->push_back(std::move(item));
            if (current.items->back().flags & kMenuFlagLastItem) current.ending = true;
            while (!stack.empty() && stack.back().ending) stack.pop_back();
        }
    }
    return true;
}

void AlignAcceleratorTexts(std::vector<std::u16string>& texts,
                           const std::function<int(const std::u16string&)>& measure) {
    int widest = 0;
    for (const std::u16string& t : texts)
        widest = std::max(widest, measure(t.substr(0, t.find(u'\t')) + u' '));
    for (std::u16string& t : texts) {
        const std::size_t tab = t.find(u'\t');
        if (tab == std::u16string::npos) continue;
        std::u16string left = t.substr(0, tab);
        // A measure that never grows would loop forever: stop after a generous bound.
        for (int guard = 0; measure(left) < widest && guard < 1000; ++guard) left += u' ';
        t = left + t.substr(tab);
    }
}

ItemSize MeasureSeparator(int menuBarHeight) { return {0, menuBarHeight / 2}; }

ItemSize MeasureMenuItem(int textWidth, int menuBarHeight, const MenuMetrics& m) {
    return {textWidth + 2 * m.IconWidth() + m.Px(1),
            std::max(menuBarHeight, m.IconHeight() + m.Px(4))};
}

ItemColours ChooseItemColours(const ItemState& s, bool newLook, bool highContrast) {
    ItemColours c{};
    c.row = s.selected ? MenuColour::Highlight : MenuColour::Menu;
    if (s.hasImage && !s.grayed) {
        c.iconFrame = (s.checked && !s.selected) ? MenuColour::Light3D : MenuColour::Menu;
        if (highContrast) c.iconFrame = MenuColour::ButtonFace;
        c.frameRaised = newLook && s.selected && !s.checked;
        c.frameSunken = newLook && s.checked;
    }
    if (s.hasImage && s.grayed)
        c.grayedImagePlate = (newLook || highContrast) ? MenuColour::ButtonFace : MenuColour::Menu;
    if (!s.hasImage && s.checked)
        c.checkBox = (s.selected || !newLook) ? MenuColour::Menu : MenuColour::Light3D;
    if (!s.grayed) {
        c.text = s.selected ? MenuColour::HighlightText : MenuColour::MenuText;
    } else if (highContrast) {
        c.text = MenuColour::GrayText;
    } else {
        c.text = s.selected ? MenuColour::Menu : MenuColour::GrayText;
        c.embossed = !s.selected;
    }
    return c;
}

ItemLayout LayoutMenuItem(const Rect& r, const ItemState& s, const MenuMetrics& m) {
    const int x0 = r.left, y0 = r.top;
    const int w = m.IconWidth(), h = m.IconHeight();
    ItemLayout l{};
    l.highlight = (s.hasImage || s.checked) ? Rect{x0 + w + m.Px(5), r.top, r.right, r.bottom} : r;
    l.iconOffset = std::max(0, (r.Height() - h - m.Px(4)) / 2);
    const int g = l.iconOffset;
    l.iconFrame = {x0 + m.Px(1), y0 + g + m.Px(1), x0 + w + m.Px(3), y0 + g + h + m.Px(3)};
    l.imageAt = {x0 + m.Px(2), y0 + g + m.Px(2)};
    l.checkBox = {x0 + m.Px(1), y0 + g + m.Px(2), x0 + w + m.Px(1), y0 + g + h + m.Px(2)};
    l.markAt = s.radio ? Point{l.checkBox.left + m.Px(5), l.checkBox.top + m.Px(4)}
                       : Point{l.checkBox.left + m.Px(4), l.checkBox.top + m.Px(4)};
    l.textRect = {x0 + w + m.Px(9), y0 - m.Px(1), s.hasAccelerator ? r.right - w : r.right,
                  r.bottom - m.Px(1)};
    return l;
}

std::vector<Point> TickPixels() {
    std::vector<Point> p = {{0, 2}, {0, 3}, {0, 4}, {1, 3}, {1, 4}, {1, 5}, {2, 4}};
    for (int i = 0; i <= 3; ++i) {
        p.push_back({i + 2, 5 - i});
        p.push_back({i + 2, 6 - i});
        p.push_back({i + 3, 3 - i});
    }
    p.push_back({6, 1});
    p.push_back({6, 2});
    return p;
}

int FindMnemonicPosition(char16_t typed, const std::vector<std::u16string>& texts) {
    const std::u16string key = {u'&', Lower(typed)};
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (Lower(texts[i]).find(key) != std::u16string::npos) return static_cast<int>(i);
    return -1;
}

std::uint32_t ExecuteItemAnswer(int position) {
    return static_cast<std::uint32_t>(position & 0xFFFF) | (2u << 16);
}

void ResynchroniseRecords(std::vector<MenuItemRecord>& records,
                          const std::vector<CurrentMenuItem>& items) {
    for (MenuItemRecord& r : records) r.used = false;
    std::vector<MenuItemRecord> rebuilt;
    rebuilt.reserve(items.size());
    for (const CurrentMenuItem& item : items) {
        auto match = std::find_if(records.begin(), records.end(), [&](const MenuItemRecord& r) {
            return !r.used && r.id == item.id;
        });
        MenuItemRecord record;
        if (match != records.end()) {
            match->used = true;
            record = *match;
            record.origin = static_cast<int>(match - records.begin());
        } else {
            record.id = item.id;
            record.origin = -1;
            record.flags = item.flagsByPosition | kMfOwnerDraw;
            if (item.kind == MenuItemKind::Popup) record.flags |= kMfPopup;
            if (item.kind == MenuItemKind::Separator) record.flags |= kMfSeparator;
        }
        if (item.kind == MenuItemKind::Command) {
            record.text = item.text;
            record.flags = item.flagsByPosition | kMfOwnerDraw;
        }
        record.used = true;
        rebuilt.push_back(std::move(record));
    }
    records = std::move(rebuilt);  // records left unused are dropped
}

int MenuPlatformKind(bool ninexFamily, int major) {
    if (ninexFamily) return major > 3 ? 1 : 0;
    return major > 3 ? 3 : 2;
}

}  // namespace vx
