#include "ui/program_info_dialog.h"

#include <shellapi.h>

#include "host/plugin_state.h"
#include "ui/resource_ids.h"
#include "ui/web_pages.h"

namespace vellumo {
namespace {

constexpr const char* kLicenceLine = "Freeware";
constexpr const char* kDisclaimer = "Provided on AS IS basis. Use it at your own risk.";
// Result of the Close button; a close request ends with the dialog manager's cancel.
constexpr INT_PTR kClosedResult = 1;

void OpenPage(const char* address) {
    // A missing browser is not reported; the dialog simply stays open.
    ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOW);
}

}  // namespace

std::string ProgramInfoText(const std::string& productName, const std::string& versionText) {
    return productName + "\r\n" + versionText + "\r\n\r\n" + kLicenceLine + "\r\n\r\n" +
           kDisclaimer;
}

ProgramInfoDialog::ProgramInfoDialog() : ModalDialog(IDD_PROGRAM_INFO) {}

bool ProgramInfoDialog::OnInit() {
    SetDlgItemTextA(Window(), IDC_INFO_TEXT, ProgramInfoText(ProductNameText, VersionText).c_str());
    return true;
}

void ProgramInfoDialog::OnCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case IDC_RELEASE_NOTES:
            OpenPage(kReleaseNotesPage);
            break;
        case IDC_DONATIONS:
            OpenPage(kDonationsPage);
            break;
        case IDC_MORE_PLUGINS:
            OpenPage(kMorePluginsPage);
            break;
        case IDC_CLOSE:
            Close(kClosedResult);
            break;
        case IDCANCEL:
            // Only a close request gets here: Escape never reaches the dialog manager.
            Close(IDCANCEL);
            break;
        default:
            break;
    }
}

}  // namespace vellumo
