// What the main dialog's logic needs of its window. The Win32 window implements
// it; the native tests use a fake that records calls and scripts answers.
#pragma once

#include <string>

namespace vx {

enum class MsgIcon { None, Information, Warning, Error };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

class MainView {
public:
    virtual ~MainView() = default;

    // A message box owned by the main window. Texts are UTF-8.
    virtual MsgAnswer ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                                  MsgButtons buttons) = 0;

    // A command's availability, always on its menu item and its toolbar button together.
    virtual void EnableCommand(int menuCommandId, bool enabled) = 0;
};

}  // namespace vx
