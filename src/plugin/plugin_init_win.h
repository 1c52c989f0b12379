#pragma once

#include <cstdint>

#include "host/host_records.h"

namespace vellumo {

// ems_plugin_init's work: fills the plug-in record, derives the paths, reads
// the version record and the settings. A null record does nothing.
void InitPlugin(std::uint16_t hostApiVersion, const MailConfigRecord* mailConfig,
                PluginInfoRecord* pluginInfo);

void FillTranslatorInfo(TranslatorInfoRecord* translator);
HostInt FillSpecialInfo(MenuRecord* menu);

}  // namespace vellumo
