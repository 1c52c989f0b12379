#pragma once
// The settings dialog: whether HTML messages are saved, their extension and
// folder, and the Sleep switch. It changes nothing until Apply, which writes
// all four settings and replaces the process-wide Sleep and SaveHTMLMessages
// values. Only Apply (when its check passes) and Cancel close it.

#include <windows.h>

#include <string>

#include "ui/modal_dialog.h"
#include "ui/win_handles.h"

namespace vellumo {

// What Apply stores, read back from the controls.
struct SettingsChoice {
    bool sleep = false;
    bool saveHtml = false;
    std::string folder;
    std::string extension;
};

// Apply's check: with Sleep off and saving on, the folder and the extension
// must both be given. Every other combination is taken as it stands.
[[nodiscard]] bool IsApplicable(const SettingsChoice& choice);

class SettingsDialog : public ModalDialog {
  public:
    SettingsDialog();

  protected:
    bool OnInit() override;
    void OnCommand(int id, int code) override;
    bool AcceptsCloseRequest() override { return false; }
    bool FilterKey(const MSG& message) override;

  private:
    void ShowSleep(bool sleeping);
    void EnableSaveControls(bool enabled);
    void ToggleSaveHtml();
    void ToggleSleep();
    void BrowseForFolder();
    void OpenFolder() const;
    void ShowProgramInfo();
    void Apply();
    [[nodiscard]] bool IsChecked(int id) const;
    [[nodiscard]] SettingsChoice ReadChoice() const;

    std::string folder_;
    std::string extension_;
    HICON plainPicture_ = nullptr;
    OwnedCursor sleepAnimation_;
};

}  // namespace vellumo
