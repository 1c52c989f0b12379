#pragma once
// Running the plug-in's dialogs under Wine for the UI tests: a mail folder
// with the plug-in and its settings file, the test host opening a dialog,
// and uidriver.exe driving it with a script of window-message commands.

#include <string>
#include <vector>

#include "wine/wine_support.h"

namespace vellumo::test {

// X/mail/Plugins holding a copy of vellumo.dll, an optional vellumo.ini, a private temporary folder
// X/temp and a recorder for the addresses handed to the browser.
class DialogSetup {
  public:
    DialogSetup();

    // Writes the settings file's [Options] section with these key=value lines.
    void WriteSettings(const std::vector<std::string>& lines) const;
    [[nodiscard]] bool HasSettings() const;
    [[nodiscard]] std::string Settings() const;
    // The folder the settings dialog derives as its default, as Windows spells it.
    [[nodiscard]] std::string DefaultFolderWin() const;
    [[nodiscard]] std::string MailFolder() const { return root_.path() + "/mail"; }
    [[nodiscard]] std::string PluginsWin() const {
        return WinePath(root_.path() + "/mail/Plugins");
    }
    // Names of the files left in the private temporary folder.
    [[nodiscard]] std::vector<std::string> TempFiles() const;
    // Addresses the browser was asked to open, in order.
    [[nodiscard]] std::vector<std::string> BrowsedAddresses() const;

    // Moves the user's desktop folder (where the folder browser starts) to this
    // Windows path for the next runs.
    void SetDesktop(const std::string& windowsPath) { desktop_ = windowsPath; }
    [[nodiscard]] std::string Root() const { return root_.path(); }

    // Opens a dialog with the host step (e.g. {"special-hook"}), runs the
    // script against it and returns everything both programs printed.
    [[nodiscard]] WineRun Drive(const std::vector<std::string>& hostStep,
                                const std::vector<std::string>& script) const;

  private:
    TempFolder root_;
    std::string desktop_;
};

// "state ID" values of a run: checked=.. enabled=.. text=.. for the n-th query.
struct ControlState {
    bool found = false;
    int checked = -1;
    int enabled = -1;
    std::string text;
};
[[nodiscard]] ControlState StateOf(const WineRun& run, int id, size_t occurrence = 0);

}  // namespace vellumo::test
