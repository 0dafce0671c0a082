// The common part of the five setting pages: loading a block into the
// controls, storing the controls into a block, and reporting every change of a
// setting control to the main dialog with the DataCheck command.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "pages/data_exchange.h"
#include "pages/page_window.h"
#include "pages/setting_lists.h"
#include "settings/switch_block.h"

namespace vx {

// Lists that carry a length limit refuse longer texts.
constexpr int kListTextLimit = 20;

class SettingsPage {
  public:
    SettingsPage(int templateId, std::initializer_list<int> dataCheckIds)
        : templateId_(templateId), dataCheckIds_(dataCheckIds) {}
    virtual ~SettingsPage() = default;
    SettingsPage(const SettingsPage&) = delete;
    SettingsPage& operator=(const SettingsPage&) = delete;

    int TemplateId() const { return templateId_; }
    void Attach(PageWindow* window) { window_ = window; }

    // Decode the page's bytes into its variables, then transfer them into the controls.
    void LoadFromBlock(const SwitchBlock& block);
    // Transfer the controls into the variables, then encode them into the page's bytes.
    // A refused transfer keeps the earlier values of the variables it did not reach.
    void StoreToBlock(SwitchBlock& block);
    // Decode the page's bytes into its variables before its window exists: the window's own
    // first transfer then shows the block, and no control is set twice.
    void LoadBeforeCreation(const SwitchBlock& block) { Decode(block); }

    // The page's window was created: the first transfer, of whatever the variables hold.
    virtual void OnInitPage();
    // Any notification from one of the page's controls.
    void OnControlCommand(int controlId);
    // The text of one of the page's edit boxes changed.
    virtual void OnEditChanged(int /*controlId*/) {}

    bool Transferring() const { return transferring_; }

  protected:
    // The bound variables in their transfer order; false when a transfer was refused.
    virtual bool DoDataExchange(DataExchange& dx) = 0;
    virtual void Decode(const SwitchBlock& block) = 0;
    virtual void Encode(SwitchBlock& block) = 0;

    // Runs DoDataExchange with the page's own notifications ignored.
    bool UpdateData(bool store);
    PageWindow& Window() { return *window_; }

  private:
    int templateId_;
    std::vector<int> dataCheckIds_;
    PageWindow* window_ = nullptr;
    bool transferring_ = false;
};

// One page's switches and the variables that show them, copied one way: from the mirror
// into the variables (loading) or back (storing). Each page names every switch once.
class SwitchMirror {
  public:
    SwitchMirror(std::array<int, 9>& sw, bool toVariables) : sw_(sw), toVariables_(toVariables) {}

    // Switches first, first + 1, ... each shown by one radio pair or check box.
    void Switches(int first, std::initializer_list<int*> variables) {
        for (int* v : variables) {
            if (toVariables_) {
                *v = sw_[first];
            } else {
                sw_[first] = *v;
            }
            ++first;
        }
    }
    // `count` switches from `first` as the code of one item of a drop-down list, the
    // first switch the lowest bit.
    template <std::size_t N>
    void Code(int first, int count, std::string& text, const CodedList<N>& list) {
        if (toVariables_) {
            int code = 0;
            for (int i = 0; i < count; ++i) code += sw_[first + i] << i;
            text = list.TextOf(code);
        } else {
            const int code = list.CodeOf(text);
            for (int i = 0; i < count; ++i) sw_[first + i] = (code >> i) & 1;
        }
    }
    // A switch no control shows, always written off.
    void Cleared(int k) {
        if (!toVariables_) sw_[k] = 0;
    }

  private:
    std::array<int, 9>& sw_;
    bool toVariables_;
};

// MSW1 to MSW4: eight switches kept in a mirror between the block and the controls.
class MemorySwitchPage : public SettingsPage {
  public:
    MemorySwitchPage(int msw, int templateId, std::initializer_list<int> dataCheckIds)
        : SettingsPage(templateId, dataCheckIds), msw_(msw) {}

    // sw[k] for SWn-k, k = 1..8; sw[0] unused.
    std::array<int, 9> sw{};

  protected:
    void Decode(const SwitchBlock& block) final;
    void Encode(SwitchBlock& block) final;
    virtual void MapSwitches(SwitchMirror& m) = 0;

  private:
    int msw_;
};

}  // namespace vx
