#pragma once

#include <string>
#include <vector>

#include "plugin_api.h"

namespace emshost {

struct HostOptions {
    std::string dllPath;
    std::string configFolder;  // no trailing backslash
    short hostApiVersion = 4;
    bool nullConfig = false;  // init with no MailConfigRecord
};

// Each returns false when the plug-in broke the host's contract.
bool StartPlugin(PluginApi& api, const HostOptions& options);
bool StopPlugin(PluginApi& api);
// "can" and "translate" steps; args are the words after the verb.
bool RunCanStep(PluginApi& api, const std::vector<std::string>& args);
bool RunTranslateStep(PluginApi& api, const std::vector<std::string>& args);
// "walk [--label L] MESSAGE OUTPUT": the host's whole walk of a message
// through the plug-in; OUTPUT receives the message the host saves.
bool RunWalkStep(PluginApi& api, const std::vector<std::string>& args);

// Dialog steps ("special-hook", "config"); false with handled = false when
// the verb is not a dialog step.
bool RunDialogStep(PluginApi& api, const HostOptions& options, const std::string& verb,
                   const std::vector<std::string>& args, bool& handled);

}  // namespace emshost
