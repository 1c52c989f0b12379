// Plug-in start as the mail client performs it: version, init with a record
// of size 40, the translators, the special menu entry.

#include <cstdio>
#include <cstring>

#include "host_steps.h"

namespace emshost {
namespace {

// The host's plug-in record is 40 bytes; the plug-in knows its first seven fields.
struct HostPluginInfo {
    PluginInfoRecord record;
    vellumo::HostInt extra[3];
};
static_assert(sizeof(HostPluginInfo) == 40, "host record size");

constexpr unsigned kGuard = 0xA5A5A5A5u;

bool CheckVersion(PluginApi& api) {
    unsigned words[2] = {kGuard, kGuard};
    long status = api.pluginVersion(reinterpret_cast<short*>(words));
    unsigned short value = 0;
    std::memcpy(&value, words, sizeof value);
    bool untouched = (words[0] >> 16) == (kGuard >> 16) && words[1] == kGuard;
    std::printf("version.status: %ld\nversion.value: %u\nversion.writes_16_bits: %s\n", status,
                value, untouched ? "yes" : "no");
    return status == 0 && untouched;
}

bool CheckInit(PluginApi& api, const HostOptions& options) {
    HostPluginInfo info;
    std::memset(&info, 0, sizeof info);
    info.record.size = sizeof info;
    MailConfigRecord config = {};
    config.size = sizeof config;
    std::string folder = options.configFolder;
    config.configFolder = &folder[0];
    long status = api.pluginInit(&api.globals, options.hostApiVersion,
                                 options.nullConfig ? nullptr : &config, &info.record);
    const PluginInfoRecord& r = info.record;
    std::printf("init.status: %ld\ninit.translators: %ld\ninit.attachers: %ld\n", status,
                static_cast<long>(r.translatorCount), static_cast<long>(r.attacherCount));
    std::printf("init.specials: %ld\ninit.id: %ld\n", static_cast<long>(r.specialCount),
                static_cast<long>(r.pluginId));
    std::printf("init.description: %s\n", r.description ? r.description : "(null)");
    std::printf("init.icon: %d\n", IdentifyIcon(api, r.icon));
    bool extraZero = info.extra[0] == 0 && info.extra[1] == 0 && info.extra[2] == 0;
    std::printf("init.extra_untouched: %s\n", extraZero ? "yes" : "no");
    bool ok = status == 0 && r.description != nullptr && r.icon != nullptr && extraZero;
    FreeBlock(api, r.description);
    FreeBlock(api, r.icon);
    return ok;
}

bool CheckTranslators(PluginApi& api) {
    bool ok = true;
    for (int id = 0; id <= 5; ++id) {
        TranslatorInfoRecord t = {};
        t.size = sizeof t;
        t.id = id;
        long status = api.translatorInfo(api.globals, &t);
        std::printf("translator.%d.status: %ld\n", id, status);
        if (status != 0) {
            continue;
        }
        std::printf("translator.%d.type: 0x%lx\ntranslator.%d.flags: 0x%lx\n", id,
                    static_cast<long>(t.type), id, static_cast<long>(t.flags));
        std::printf("translator.%d.description: %s\ntranslator.%d.icon: %d\n", id,
                    t.description ? t.description : "(null)", id, IdentifyIcon(api, t.icon));
        ok &= t.description != nullptr && t.icon != nullptr && t.unused7 == nullptr;
        FreeBlock(api, t.description);
        FreeBlock(api, t.icon);
    }
    return ok;
}

bool CheckMenu(PluginApi& api) {
    bool ok = true;
    for (int id = 0; id <= 2; ++id) {
        MenuRecord m = {};
        m.size = sizeof m;
        m.id = id;
        long status = api.specialInfo(api.globals, &m);
        std::printf("menu.%d.status: %ld\n", id, status);
        if (status != 0) {
            continue;
        }
        std::printf("menu.%d.description: %s\nmenu.%d.flags: 0x%lx\nmenu.%d.icon: %d\n", id,
                    m.description ? m.description : "(null)", id, static_cast<long>(m.flags), id,
                    IdentifyIcon(api, m.icon));
        ok &= m.description != nullptr;
        FreeBlock(api, m.description);
        FreeBlock(api, m.icon);
    }
    return ok;
}

}  // namespace

bool StartPlugin(PluginApi& api, const HostOptions& options) {
    bool ok = CheckVersion(api);
    ok &= CheckInit(api, options);
    ok &= CheckTranslators(api);
    ok &= CheckMenu(api);
    return ok;
}

bool StopPlugin(PluginApi& api) {
    long status = api.pluginFinish(api.globals);
    std::printf("finish.status: %ld\n", status);
    return status == 0;
}

}  // namespace emshost
