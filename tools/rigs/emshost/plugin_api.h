#pragma once
// The ten exports of a loaded plug-in, looked up by their plain names.

#include <windows.h>

#include <string>

#include "host/host_records.h"

namespace emshost {

using vellumo::DataFileRecord;
using vellumo::MailConfigRecord;
using vellumo::MenuRecord;
using vellumo::PluginInfoRecord;
using vellumo::ResultStatusRecord;
using vellumo::TranslatorInfoRecord;

struct PluginApi {
    HMODULE module = nullptr;
    long(WINAPI* pluginVersion)(short*) = nullptr;
    long(WINAPI* pluginInit)(void**, short, MailConfigRecord*, PluginInfoRecord*) = nullptr;
    long(WINAPI* translatorInfo)(void*, TranslatorInfoRecord*) = nullptr;
    long(WINAPI* canTranslate)(void*, TranslatorInfoRecord*, DataFileRecord*,
                               ResultStatusRecord*) = nullptr;
    long(WINAPI* translateFile)(void*, TranslatorInfoRecord*, DataFileRecord*, void*,
                                DataFileRecord*, ResultStatusRecord*) = nullptr;
    long(WINAPI* pluginFinish)(void*) = nullptr;
    long(WINAPI* free)(void*) = nullptr;
    long(WINAPI* pluginConfig)(void*, MailConfigRecord*) = nullptr;
    long(WINAPI* specialInfo)(void*, MenuRecord*) = nullptr;
    long(WINAPI* specialHook)(void*, MenuRecord*) = nullptr;
    void* globals = nullptr;
};

// Loads the DLL and resolves all ten names; prints "exports.missing: NAME"
// for each name that is not found. False when the DLL or a name is missing.
bool LoadPlugin(const std::string& dllPath, PluginApi& api);

// Which of the icons 114 to 122 of the plug-in this handle is, or 0.
int IdentifyIcon(const PluginApi& api, void* iconBlock);

// Gives a returned block back the way the host does.
void FreeBlock(const PluginApi& api, void* block);

}  // namespace emshost
