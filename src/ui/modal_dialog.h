#pragma once
// A thin base for the plug-in's modal dialogs. It runs a template from the
// plug-in's own resources, owned by the window active at that moment, centres
// it over that owner, keeps the plug-in's pointer over the whole dialog and
// lets a dialog see keys before the dialog manager does.

#include <windows.h>

#include <string>

namespace vellumo {

class ModalDialog {
  public:
    explicit ModalDialog(int templateId) : templateId_(templateId) {}
    virtual ~ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Shows the dialog and returns the result given to Close, or -1 when the
    // dialog could not be created.
    INT_PTR RunModal();

  protected:
    [[nodiscard]] HWND Window() const { return window_; }
    [[nodiscard]] HWND Item(int id) const { return GetDlgItem(window_, id); }
    void Close(INT_PTR result) { EndDialog(window_, result); }

    // After the controls exist; true gives the focus to the first tab stop.
    virtual bool OnInit() = 0;
    // A notification from control `id` (BN_CLICKED, STN_CLICKED, ...).
    virtual void OnCommand(int id, int code) = 0;
    // A close request (WM_CLOSE, Alt+F4): true lets the dialog manager turn
    // it into its cancel command, false ignores it.
    virtual bool AcceptsCloseRequest() { return true; }
    // A key-down met in the modal loop, before the dialog manager; true when
    // the dialog dealt with it. The default discards Escape.
    virtual bool FilterKey(const MSG& message);

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FilterMessages(int code, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CentreOverOwner();

    int templateId_;
    HWND window_ = nullptr;
    HCURSOR pointer_ = nullptr;
};

// The text of a window or control, empty when it has none.
[[nodiscard]] std::string WindowText(HWND window);

}  // namespace vellumo
