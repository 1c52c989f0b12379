#pragma once
// The plug-in's two calls for one offered entity, as the host makes them:
// ems_can_translate with the host's records, then ems_translate_file with
// the input file the host wrote. The walk asks through this interface, so
// the same walk drives the translation code in this process or a loaded
// plug-in.

#include <cstdint>
#include <string>

#include "host/host_records.h"
#include "translate/decline_reason.h"

namespace vellumo {

class EntityTranslator {
  public:
    virtual ~EntityTranslator() = default;
    // ems_can_translate for translator id: 10 takes the entity.
    [[nodiscard]] virtual int CanTranslate(int translatorId, DataFileRecord& offer) = 0;
    // ems_translate_file for the entity last offered (offer, as asked),
    // with inputFile the bytes the host writes for it, given away so they
    // can be released once read. Returns the host status code; on 0
    // `output` holds the output file's bytes.
    [[nodiscard]] virtual int Translate(int translatorId, DataFileRecord& offer,
                                        std::string inputFile, std::string& output) = 0;
    // Why the last Translate returned 12; no cause when it is not known (a
    // loaded plug-in tells only its status).
    [[nodiscard]] virtual DeclineReason LastDecline() const { return {}; }
};

// The plug-in's acceptance test and translation driver in this process,
// handed the input file's bytes and giving back the output file's bytes
// without touching the disk (the archive file of translators 1 and 2
// aside, when saving is on). Like the export, each offer decides how many
// line ends of the host end the input (HostInputTailLineEnds); the value is
// set for the translation only.
class DriverEntityTranslator : public EntityTranslator {
  public:
    [[nodiscard]] int CanTranslate(int translatorId, DataFileRecord& offer) override;
    [[nodiscard]] int Translate(int translatorId, DataFileRecord& offer, std::string inputFile,
                                std::string& output) override;
    [[nodiscard]] DeclineReason LastDecline() const override { return decline_; }

  private:
    std::int32_t inputTail_ = 0;
    DeclineReason decline_;
};

}  // namespace vellumo
