#pragma once
// Runs one translator on one entity's input file, as the host's call of
// ems_translate_file does, and hands back the output file's bytes.

#include <string>

namespace vellumo {

class EntityTranslator {
  public:
    virtual ~EntityTranslator() = default;
    // Translates inputFile (the bytes the host writes for the entity, given
    // away so they can be released once read) with translator id. Returns
    // the host status code; on 0 `output` holds the output file's bytes.
    [[nodiscard]] virtual int Translate(int translatorId, std::string inputFile,
                                        std::string& output) = 0;
};

// The translation driver of the plug-in, handed the input file's bytes and
// giving back the output file's bytes without touching the disk (the
// archive file of translators 1 and 2 aside, when saving is on).
class DriverEntityTranslator : public EntityTranslator {
  public:
    [[nodiscard]] int Translate(int translatorId, std::string inputFile,
                                std::string& output) override;
};

}  // namespace vellumo
