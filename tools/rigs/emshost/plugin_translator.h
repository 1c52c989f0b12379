#pragma once
// The walk's offers and translations made through a loaded plug-in's
// exports, with files on disk as the host uses them.

#include <string>

#include "mailclient/entity_translator.h"
#include "plugin_api.h"

namespace emshost {

// Calls ems_can_translate with the walk's records, and ems_translate_file
// with the input file written to `workPath` + ".in" and an output file
// `workPath` + ".out" created empty first; the returned MIME type record
// is given back through ems_free piece by piece.
class PluginTranslator : public vellumo::EntityTranslator {
  public:
    PluginTranslator(PluginApi& api, std::string workPath)
        : api_(api), workPath_(std::move(workPath)) {}

    int CanTranslate(int translatorId, vellumo::DataFileRecord& offer) override;
    int Translate(int translatorId, vellumo::DataFileRecord& offer, std::string inputFile,
                  std::string& output) override;

  private:
    PluginApi& api_;
    std::string workPath_;
};

// Gives every block of a MIME type record the plug-in returned back
// through ems_free, as the host does.
void FreeOutputType(const PluginApi& api, vellumo::MimeTypeRecord* type);

}  // namespace emshost
