#pragma once
// The settings dialog: whether HTML messages are saved, their extension and
// folder, and the Sleep switch. It changes nothing until Apply, which saves
// the settings record and replaces the process-wide Sleep and
// SaveHTMLMessages values. Only Apply (when its check passes) and Cancel
// close it.

#include <windows.h>

#include <string>

#include "host/settings_record.h"
#include "ui/modal_dialog.h"
#include "ui/win_handles.h"

namespace vellumo {

// Apply's check on the settings read back from the controls: with Sleep off
// and saving on, the folder and the extension must both be given. Every
// other combination is taken as it stands.
[[nodiscard]] bool IsApplicable(const SettingsRecord& settings);

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
    void FillControls();
    void ReadControls();

    // The folder keeps the stored value even when its field shows the
    // default, until Browse or Apply replaces it.
    SettingsRecord settings_;
    HICON plainPicture_ = nullptr;
    OwnedCursor sleepAnimation_;
};

}  // namespace vellumo
