#include "ui/settings_dialog.h"

#include <shellapi.h>
#include <shlobj.h>

#include "host/module_instance_win.h"
#include "host/plugin_state.h"
#include "host/settings.h"
#include "host/settings_record.h"
#include "platform/com_apartment_win.h"
#include "translate/path_tests.h"
#include "ui/animated_cursor.h"
#include "ui/program_info_dialog.h"
#include "ui/resource_ids.h"

namespace vellumo {
namespace {

constexpr const char* kBrowseTitle = "Folder for HTML-Messages:";
constexpr INT_PTR kAppliedResult = 1;
constexpr INT_PTR kCancelledResult = 0;
// Disabled and enabled together, in this order, with the Save check box.
constexpr int kSaveControls[] = {IDC_EXTENSION_FIELD, IDC_FOLDER_FIELD, IDC_BROWSE};

}  // namespace

bool IsApplicable(const SettingsRecord& settings) {
    if (settings.sleep != 0 || settings.saveHtmlMessages != 1) {
        return true;
    }
    return !settings.htmlMessagesPath.empty() && !settings.extension.empty();
}

SettingsDialog::SettingsDialog() : ModalDialog(IDD_SETTINGS) {}

bool SettingsDialog::OnInit() {
    // Every opening copies the animation to a temporary file and deletes it.
    sleepAnimation_.Reset(LoadAnimatedCursor(IDR_SLEEP_ANIMATION));
    plainPicture_ = LoadIconA(ModuleInstance, MAKEINTRESOURCEA(IDI_NO_LETTER_LARGE));

    settings_ =
        LoadSettings(SettingsFilePath, DefaultArchiveFolderFromSettingsPath(SettingsFilePath));
    // Sleep and saving as the plug-in runs now: read at start-up, replaced by Apply.
    settings_.sleep = SleepValue;
    settings_.saveHtmlMessages = SaveHTMLMessagesValue;
    FillControls();
    return true;
}

void SettingsDialog::FillControls() {
    bool sleeping = settings_.sleep == 1;
    CheckDlgButton(Window(), IDC_SLEEP, sleeping ? BST_CHECKED : BST_UNCHECKED);
    ShowSleep(sleeping);
    bool saving = settings_.saveHtmlMessages == 1;
    if (saving) {
        CheckDlgButton(Window(), IDC_SAVE_HTML, BST_CHECKED);
    } else {
        EnableSaveControls(false);
    }
    // The field falls back to the default; the record keeps what was stored.
    const std::string defaultFolder = DefaultArchiveFolderFromSettingsPath(SettingsFilePath);
    const std::string& folder = settings_.htmlMessagesPath;
    const std::string& shown = FolderExists(folder) ? folder : defaultFolder;
    SetDlgItemTextA(Window(), IDC_FOLDER_FIELD, shown.c_str());
    SetDlgItemTextA(Window(), IDC_EXTENSION_FIELD, settings_.extension.c_str());
}

void SettingsDialog::ReadControls() {
    settings_.sleep = IsChecked(IDC_SLEEP) ? 1 : 0;
    settings_.saveHtmlMessages = IsChecked(IDC_SAVE_HTML) ? 1 : 0;
    settings_.htmlMessagesPath = WindowText(Item(IDC_FOLDER_FIELD));
    settings_.extension = WindowText(Item(IDC_EXTENSION_FIELD));
}

void SettingsDialog::OnCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case IDC_SAVE_HTML:
            ToggleSaveHtml();
            break;
        case IDC_SLEEP:
            ToggleSleep();
            break;
        case IDC_BROWSE:
            BrowseForFolder();
            break;
        case IDC_OPEN_FOLDER:
            OpenFolder();
            break;
        case IDC_PICTURE:
            ShowProgramInfo();
            break;
        case IDC_APPLY:
            Apply();
            break;
        case IDC_CANCEL:
            Close(kCancelledResult);
            break;
        default:
            // The dialog manager's own OK and cancel commands close nothing here.
            break;
    }
}

bool SettingsDialog::FilterKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    if (message.wParam == VK_RETURN) {
        // An ordinary key for the focused control: no button press, no closing.
        DispatchMessageA(&message);
        return true;
    }
    return message.wParam == VK_ESCAPE;
}

void SettingsDialog::ShowSleep(bool sleeping) {
    HWND picture = Item(IDC_PICTURE);
    if (sleeping) {
        SendMessageA(picture, STM_SETIMAGE, IMAGE_CURSOR,
                     reinterpret_cast<LPARAM>(sleepAnimation_.get()));
    } else {
        SendMessageA(picture, STM_SETICON, reinterpret_cast<WPARAM>(plainPicture_), 0);
    }
}

void SettingsDialog::EnableSaveControls(bool enabled) {
    for (int id : kSaveControls) {
        EnableWindow(Item(id), enabled ? TRUE : FALSE);
    }
}

void SettingsDialog::ToggleSaveHtml() {
    bool saving = !IsChecked(IDC_SAVE_HTML);
    CheckDlgButton(Window(), IDC_SAVE_HTML, saving ? BST_CHECKED : BST_UNCHECKED);
    EnableSaveControls(saving);
}

void SettingsDialog::ToggleSleep() {
    bool sleeping = !IsChecked(IDC_SLEEP);
    CheckDlgButton(Window(), IDC_SLEEP, sleeping ? BST_CHECKED : BST_UNCHECKED);
    ShowSleep(sleeping);
}

void SettingsDialog::BrowseForFolder() {
    const ComApartment com;
    char displayName[MAX_PATH] = {};
    BROWSEINFOA browse{};
    browse.hwndOwner = GetActiveWindow();
    browse.pszDisplayName = displayName;
    browse.lpszTitle = kBrowseTitle;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    ShellItemList chosen(SHBrowseForFolderA(&browse));
    if (chosen.get() == nullptr) {
        return;
    }
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(static_cast<PCIDLIST_ABSOLUTE>(chosen.get()), path) ||
        path[0] == '\0') {
        // A selection without a file-system path changes nothing.
        return;
    }
    // Built as a string: a path of MAX_PATH - 1 characters has no room for
    // the backslash in its buffer.
    settings_.htmlMessagesPath = std::string(path) + '\\';
    SetDlgItemTextA(Window(), IDC_FOLDER_FIELD, settings_.htmlMessagesPath.c_str());
}

void SettingsDialog::OpenFolder() const {
    const std::string& folder = settings_.htmlMessagesPath;
    if (FolderExists(folder)) {
        ShellExecuteA(nullptr, "open", folder.c_str(), nullptr, nullptr, SW_SHOW);
    }
}

void SettingsDialog::ShowProgramInfo() {
    ProgramInfoDialog info;
    info.RunModal();
}

void SettingsDialog::Apply() {
    ReadControls();
    if (!IsApplicable(settings_)) {
        return;
    }
    SleepValue = settings_.sleep;
    SaveHTMLMessagesValue = settings_.saveHtmlMessages;
    SaveSettings(settings_, SettingsFilePath);
    Close(kAppliedResult);
}

bool SettingsDialog::IsChecked(int id) const {
    return IsDlgButtonChecked(Window(), id) == BST_CHECKED;
}

}  // namespace vellumo
