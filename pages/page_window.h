// What a setting page needs of its window: its controls, the focus, a message
// box and a way to raise a command. The Win32 page dialog implements it; the
// native tests use a fake that keeps the controls' state in memory.
#pragma once

#include <string>
#include <vector>

#include "common/message_box.h"

namespace vx {

// A command a page window passes on to the main dialog: one in the range of the menu
// commands and accelerators (and no notification from one of the page's own controls).
constexpr bool IsMainDialogCommand(int id) { return id >= 0x8000 && id <= 0xEFFF; }

class PageWindow {
  public:
    virtual ~PageWindow() = default;

    // Check box: 0 unchecked, 1 checked, 2 indeterminate.
    virtual int GetCheck(int id) = 0;
    virtual void SetCheck(int id, int state) = 0;

    // Radio group starting at the button `firstId` (which carries the group style):
    // position of the checked button, or -1 when none is checked. Setting checks the
    // button at `index` and unchecks the others (all of them for an index outside the group).
    virtual int GetRadioIndex(int firstId) = 0;
    virtual void SetRadioIndex(int firstId, int index) = 0;

    // Window text of a control (the selected item's text for a drop-down list).
    virtual std::string GetText(int id) = 0;
    // Changing an edit box's text notifies the page of the change, as typing does.
    virtual void SetText(int id, const std::string& text) = 0;

    // Drop-down lists: the item texts in list order, and selecting one by position.
    virtual std::vector<std::string> GetListItems(int id) = 0;
    virtual void SelectListItem(int id, int index) = 0;

    virtual bool HasFocus(int id) = 0;
    virtual void SetFocus(int id) = 0;
    virtual void SelectAllText(int id) = 0;  // edit boxes

    virtual void SetSpinRange(int id, int lower, int upper) = 0;

    // The message of a refused transfer, with an OK button.
    virtual void ShowRefusal(const std::string& text, MsgIcon icon) = 0;

    // A command message with no control handle, sent to the page's own window; what the
    // page does not handle goes on to the main dialog.
    virtual void RaiseCommand(int commandId) = 0;
};

}  // namespace vx
