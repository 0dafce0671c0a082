#include "app/keyboard.h"

namespace vx {

namespace {

// The keys an edit box answers with Ctrl held: copy, paste, cut, undo, select all.
constexpr unsigned kEditKeys[] = {'C', 'V', 'X', 'Z', 'A'};

}  // namespace

KeyRoute RouteKey(const KeyPress& press) {
    if (!press.ctrl || press.alt) return KeyRoute::Accelerators;
    if (press.key == key::kTab) return press.shift ? KeyRoute::PreviousPage : KeyRoute::NextPage;
    if (!press.shift && press.key == key::kPageDown) return KeyRoute::NextPage;
    if (!press.shift && press.key == key::kPageUp) return KeyRoute::PreviousPage;
    if (press.inEditBox && !press.shift) {
        for (unsigned k : kEditKeys) {
            if (press.key == k) return KeyRoute::Control;
        }
    }
    return KeyRoute::Accelerators;
}

}  // namespace vx
