// Where a key pressed in the main window goes. Tabbed windows change their page with
// Ctrl+Tab and Ctrl+PageDown (next) and Ctrl+Shift+Tab and Ctrl+PageUp (previous); an
// edit box keeps its own clipboard, undo and select-all keys, so while one has the
// focus the program's accelerators (Ctrl+C chooses the printer) leave them alone.
// Every other key goes to the accelerators first, as it always did.
#pragma once

namespace vx {

// The virtual-key codes the decision looks at (the letters are their capitals).
namespace key {
constexpr unsigned kTab = 0x09;
constexpr unsigned kPageUp = 0x21;
constexpr unsigned kPageDown = 0x22;
}  // namespace key

struct KeyPress {
    unsigned key = 0;  // virtual-key code of a key going down
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool inEditBox = false;  // the focus is in an edit box
};

enum class KeyRoute {
    Accelerators,  // the accelerator table, then the dialog's own keys
    NextPage,
    PreviousPage,
    Control,  // past the accelerators, straight to the control with the focus
};

KeyRoute RouteKey(const KeyPress& press);

}  // namespace vx
