#include "host_steps.h"

namespace emshost {

bool RunDialogStep(PluginApi&, const HostOptions&, const std::string&,
                   const std::vector<std::string>&, bool& handled) {
    handled = false;
    return false;
}

}  // namespace emshost
