#pragma once
// The program information dialog: product name, version, licence and
// disclaimer, and buttons that open the maker's pages in the user's browser.
// It writes nothing. Escape does not close it; Close and a close request do.

#include <string>

#include "ui/modal_dialog.h"

namespace vellumo {

// The six centred lines of the dialog: name, version, licence, disclaimer.
[[nodiscard]] std::string ProgramInfoText(const std::string& productName,
                                          const std::string& versionText);

class ProgramInfoDialog : public ModalDialog {
  public:
    ProgramInfoDialog();

  protected:
    bool OnInit() override;
    void OnCommand(int id, int code) override;
};

}  // namespace vellumo
