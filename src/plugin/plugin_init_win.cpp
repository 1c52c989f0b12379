#include "plugin/plugin_init_win.h"

#include "host/host_memory.h"
#include "host/module_instance_win.h"
#include "host/plugin_state.h"
#include "host/startup_settings.h"
#include "host/translator_table.h"
#include "host/version_info.h"
#include "host/version_text.h"
#include "plugin/plugin_icon_win.h"

namespace vellumo {
namespace {

// The version record is read from the running module itself: the host names
// the mail folder's Plugins folder as configuration folder even when it loaded
// the plug-in from the program's own Plugins folder.
void ReadVersionTexts() {
    VersionInfo reader;
    if (reader.LoadVersionBlock(ModuleFilePath)) {
        ProductNameText = reader.GetProductName();
        VersionText = MakeVersionText(reader.GetProductVersion());
    }
    reader.ReleaseVersionBlock();
}

}  // namespace

void InitPlugin(std::uint16_t hostApiVersion, const MailConfigRecord* mailConfig,
                PluginInfoRecord* pluginInfo) {
    if (pluginInfo == nullptr) {
        return;
    }
    pluginInfo->translatorCount = kTranslatorCount;
    pluginInfo->attacherCount = 0;
    pluginInfo->specialCount = 1;
    pluginInfo->pluginId = kPluginId;

    const char* folder = mailConfig != nullptr ? mailConfig->configFolder : nullptr;
    StartFromConfigFolder(folder != nullptr ? folder : "");
    ModuleFilePath = OwnModulePath();
    ReadVersionTexts();

    pluginInfo->description =
        HeapCopyString(MakePluginDescription(ProductNameText, VersionText).c_str());
    HostApiVersion = hostApiVersion;
    pluginInfo->icon = LoadPluginIcon(-1);
}

void FillTranslatorInfo(TranslatorInfoRecord* translator) {
    const TranslatorEntry* entry = FindTranslator(translator->id);
    translator->type = kTranslatorType;
    translator->flags = kTranslatorFlags;
    translator->description = HeapCopyString(entry->description);
    translator->icon = LoadPluginIcon(entry->id);
}

HostInt FillSpecialInfo(MenuRecord* menu) {
    if (menu->id != kSpecialMenuId) {
        return kStatusInvalidId;
    }
    menu->description = HeapCopyString(kSpecialMenuText);
    if (HostApiVersion > 3) {
        menu->flags = kSpecialMenuToolbarFlag;
        menu->icon = LoadPluginIcon(0);
    }
    return kStatusSuccess;
}

}  // namespace vellumo
