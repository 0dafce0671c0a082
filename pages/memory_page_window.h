// A page's window kept in memory: control states, focus, messages and raised
// commands. Edits notify the page of every text change, as the real edit box does.
// The pages run on it wherever there is no screen: vxctl and the native tests.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "pages/page_window.h"
#include "pages/settings_page.h"

namespace vx {

class MemoryPageWindow : public PageWindow {
  public:
    // Drop-down lists hold these items in list order (the template's lists).
    explicit MemoryPageWindow(std::map<int, std::vector<std::string>> lists = {})
        : items(std::move(lists)) {}

    SettingsPage* page = nullptr;  // receives the notifications

    std::map<int, int> checks;
    std::map<int, int> radios;  // by the group's first button
    std::map<int, std::string> texts;
    std::map<int, std::vector<std::string>> items;
    std::map<int, int> selection;  // -1: no item selected
    int focus = 0;
    std::vector<int> selectedAll;
    std::vector<std::pair<std::string, MsgIcon>> refusals;
    std::vector<int> raised;
    std::vector<std::string> log;  // "set <id>" for every control written
    int spinLower = 0, spinUpper = 0;

    bool IsList(int id) const { return items.count(id) != 0; }

    int GetCheck(int id) override { return checks[id]; }
    void SetCheck(int id, int state) override {
        log.push_back("set " + std::to_string(id));
        checks[id] = state;
    }
    int GetRadioIndex(int firstId) override {
        auto it = radios.find(firstId);
        return it == radios.end() ? -1 : it->second;
    }
    void SetRadioIndex(int firstId, int index) override {
        log.push_back("set " + std::to_string(firstId));
        radios[firstId] = (index == 0 || index == 1) ? index : -1;  // pairs only
    }
    std::string GetText(int id) override {
        if (IsList(id)) {
            auto it = selection.find(id);
            if (it == selection.end() || it->second < 0) return texts[id];
            return items[id][static_cast<std::size_t>(it->second)];
        }
        return texts[id];
    }
    void SetText(int id, const std::string& text) override {
        log.push_back("set " + std::to_string(id));
        if (IsList(id)) {  // a drop-down list has no text of its own to set
            selection[id] = -1;
            texts[id].clear();
            return;
        }
        texts[id] = text;
        Notify(id, true);
    }
    std::vector<std::string> GetListItems(int id) override { return items[id]; }
    void SelectListItem(int id, int index) override {
        log.push_back("set " + std::to_string(id));
        selection[id] = index;
    }
    bool HasFocus(int id) override { return focus == id; }
    void SetFocus(int id) override { focus = id; }
    void SelectAllText(int id) override { selectedAll.push_back(id); }
    void SetSpinRange(int, int lower, int upper) override {
        spinLower = lower;
        spinUpper = upper;
    }
    void ShowRefusal(const std::string& text, MsgIcon icon) override {
        refusals.emplace_back(text, icon);
    }
    void RaiseCommand(int commandId) override { raised.push_back(commandId); }

    // ---- What the user does
    void Click(int buttonId) { Notify(buttonId, false); }
    void ClickRadio(int firstId, int index, int buttonId) {
        radios[firstId] = index;
        Notify(buttonId, false);
    }
    void ToggleCheck(int id) {
        checks[id] = checks[id] ? 0 : 1;
        Notify(id, false);
    }
    void Choose(int listId, const std::string& item) {
        const auto& list = items[listId];
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i] == item) selection[listId] = static_cast<int>(i);
        }
        Notify(listId, false);
    }
    void Type(int editId, const std::string& text) {
        focus = editId;
        texts[editId] = text;
        Notify(editId, true);
    }
    // A list text that no item carries, as a list with an edit part could hold.
    void ForceListText(int listId, const std::string& text) {
        selection[listId] = -1;
        texts[listId] = text;
    }

  private:
    void Notify(int id, bool textChanged) {
        if (!page) return;
        page->OnControlCommand(id);
        if (textChanged) page->OnEditChanged(id);
    }
};

}  // namespace vx
