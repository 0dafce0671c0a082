// What the main dialog's logic needs of its window. The Win32 window implements
// it; the native tests use a fake that records calls and scripts answers.
#pragma once

#include <string>

namespace vx {

class PageWindow;
class SettingsPage;

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

    // ---- The tab control and its pages
    // The tab control's image list (bitmap 168) and one tab item.
    virtual void CreateTabImages() = 0;
    virtual void InsertTab(int index, const std::string& text, int image) = 0;
    // A page's child dialog from its template, at the top of the z-order, shown or hidden.
    // The window attaches itself to `page`, runs the page's initialisation (OnInitPage) and
    // from then on forwards the page's control notifications to it.
    virtual PageWindow& CreatePageWindow(int index, SettingsPage& page, bool visible) = 0;
    virtual int GetTabSelection() = 0;
    virtual void SetTabSelection(int index) = 0;
    virtual void ShowPageWindow(int index, bool visible) = 0;
    virtual bool TabHasFocus() = 0;
    virtual void FocusPageWindow(int index) = 0;

    // The about box (dialog 100), modal.
    virtual void ShowAbout() = 0;
};

}  // namespace vx
