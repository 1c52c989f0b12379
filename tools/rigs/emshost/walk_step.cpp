// Walking a whole message through the plug-in as the host does on arrival:
// the mail client's walk, with each offer and translation made through the
// loaded plug-in's exports.

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "host_steps.h"
#include "mailclient/message_walk.h"
#include "offered_file.h"
#include "plugin_translator.h"

namespace emshost {
namespace {

const char* OutcomeName(vellumo::WalkOutcome outcome) {
    switch (outcome) {
        case vellumo::WalkOutcome::Converted:
            return "converted";
        case vellumo::WalkOutcome::Declined:
            return "declined";
        case vellumo::WalkOutcome::Failed:
            return "failed";
        case vellumo::WalkOutcome::Unchanged:
            break;
    }
    return "unchanged";
}

// Prints each translation as "walk.translation: PATH ID STATUS".
class PrintingObserver : public vellumo::WalkObserver {
  public:
    explicit PrintingObserver(std::string label) : label_(std::move(label)) {}
    void Translated(const vellumo::WalkedEntity& entity) override {
        std::printf("walk.%stranslation: %s %d %d\n", label_.c_str(), entity.path.c_str(),
                    entity.translatorId, entity.status);
    }

  private:
    std::string label_;
};

}  // namespace

bool RunWalkStep(PluginApi& api, const std::vector<std::string>& args) {
    std::string label;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--label" && i + 1 < args.size()) {
            label = args[++i] + ".";
        } else {
            files.push_back(args[i]);
        }
    }
    std::string message;
    if (files.size() != 2 || !ReadFileText(files[0], message)) {
        std::printf("error: walk needs a readable MESSAGE and an OUTPUT\n");
        return false;
    }
    PluginTranslator translator(api, files[1] + ".entity");
    PrintingObserver observer(label);
    vellumo::WalkResult result = vellumo::WalkMessage(message, translator, &observer);
    std::printf("walk.%soutcome: %s\n", label.c_str(), OutcomeName(result.outcome));
    if (result.outcome == vellumo::WalkOutcome::Failed) {
        std::printf("walk.%sfailure: %s\n", label.c_str(), result.failure.c_str());
    }
    // The message the host saves: the converted one, else the one that came.
    std::string saved = result.outcome == vellumo::WalkOutcome::Converted ? result.Text() : message;
    std::ofstream(files[1], std::ios::binary).write(saved.data(), saved.size());
    return true;
}

}  // namespace emshost
