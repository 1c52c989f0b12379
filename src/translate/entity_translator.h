#pragma once
// Runs one translator on one entity's input file, as the host's call of
// ems_translate_file does, and hands back the output file's bytes.

#include <string>

namespace vellumo {

class EntityTranslator {
  public:
    virtual ~EntityTranslator() = default;
    // Translates inputFile (the bytes the host writes for the entity) with
    // translator id. Returns the host status code; on 0 `output` holds the
    // output file's bytes.
    [[nodiscard]] virtual int Translate(int translatorId, const std::string& inputFile,
                                        std::string& output) = 0;
};

// The translation driver of the plug-in, through two work files in a
// folder the caller provides (and removes): the input file is written
// there, the output file created empty before the call, as the host does.
class DriverEntityTranslator : public EntityTranslator {
  public:
    // folder: an existing folder, given without a trailing separator.
    explicit DriverEntityTranslator(const std::string& folder);
    ~DriverEntityTranslator() override;
    DriverEntityTranslator(const DriverEntityTranslator&) = delete;
    DriverEntityTranslator& operator=(const DriverEntityTranslator&) = delete;

    // 5 when the input file cannot be written, 6 when the output file cannot
    // be created or read back; otherwise the driver's status.
    [[nodiscard]] int Translate(int translatorId, const std::string& inputFile,
                                std::string& output) override;

  private:
    std::string inputPath_;
    std::string outputPath_;
};

}  // namespace vellumo
