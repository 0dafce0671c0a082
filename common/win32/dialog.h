// The base of every dialog window of both programs: the window procedure finds
// the object again from the window (set on WM_INITDIALOG from the creation
// parameter) and hands it each message; messages before WM_INITDIALOG go unanswered.
#pragma once

#include <windows.h>

namespace vx::win32 {

class Dialog {
  public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog() = default;

    HWND Handle() const { return hwnd_; }

    // Modal from a template: the dialog's result, or -1 when it could not be made.
    INT_PTR RunModal(HINSTANCE instance, int templateId, HWND owner) {
        return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, &Dialog::Proc,
                               reinterpret_cast<LPARAM>(this));
    }

  protected:
    // Modeless from a template, or from a template in memory: false when it could not be made.
    bool CreateModeless(HINSTANCE instance, int templateId, HWND parent) {
        hwnd_ = CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), parent, &Dialog::Proc,
                                   reinterpret_cast<LPARAM>(this));
        return hwnd_ != nullptr;
    }
    bool CreateModeless(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND parent) {
        hwnd_ = CreateDialogIndirectParamW(instance, dialogTemplate, parent, &Dialog::Proc,
                                           reinterpret_cast<LPARAM>(this));
        return hwnd_ != nullptr;
    }

    // What a dialog procedure returns: TRUE when the message was handled.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    HWND hwnd_ = nullptr;

  private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
            reinterpret_cast<Dialog*>(lParam)->hwnd_ = hwnd;
        }
        auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
        return self ? self->OnMessage(message, wParam, lParam) : FALSE;
    }
};

}  // namespace vx::win32
