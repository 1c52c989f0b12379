#include "progress.h"

#ifdef _WIN32
#include <io.h>
#define VELLUMO_ISATTY _isatty
#define VELLUMO_FILENO _fileno
#else
#include <unistd.h>
#define VELLUMO_ISATTY isatty
#define VELLUMO_FILENO fileno
#endif

namespace vellumo {
namespace {

constexpr auto kDrawInterval = std::chrono::milliseconds(250);
constexpr double kMegabyte = 1e6;

}  // namespace

bool StandardErrorIsTerminal() {
    return VELLUMO_ISATTY(VELLUMO_FILENO(stderr)) != 0;
}

Progress::Progress(bool show)
    : show_(show), start_(std::chrono::steady_clock::now()), lastDraw_(start_) {}

void Progress::Count(WalkOutcome outcome, unsigned long long bytes) {
    ++messages_;
    bytes_ += bytes;
    switch (outcome) {
        case WalkOutcome::Converted:
            ++converted_;
            break;
        case WalkOutcome::Unchanged:
            ++unchanged_;
            break;
        case WalkOutcome::Declined:
            ++declined_;
            break;
        case WalkOutcome::Failed:
            ++failed_;
            break;
    }
    auto now = std::chrono::steady_clock::now();
    if (show_ && now - lastDraw_ >= kDrawInterval) {
        lastDraw_ = now;
        Draw();
    }
}

void Progress::Draw() {
    double seconds = std::chrono::duration<double>(lastDraw_ - start_).count();
    double megabytes = static_cast<double>(bytes_) / kMegabyte;
    std::fprintf(stderr, "\r%llu messages, %.1f MB, %.1f MB/s ", messages_, megabytes,
                 seconds > 0 ? megabytes / seconds : 0.0);
    std::fflush(stderr);
    drawn_ = true;
}

void Progress::Summary(std::FILE* stream) {
    if (drawn_) {
        lastDraw_ = std::chrono::steady_clock::now();
        Draw();
        std::fputc('\n', stderr);
    }
    std::fprintf(stream, "%lu converted, %lu unchanged, %lu declined", converted_, unchanged_,
                 declined_);
    if (skipped_ > 0) {
        std::fprintf(stream, ", %lu skipped", skipped_);
    }
    if (failed_ > 0) {
        std::fprintf(stream, ", %lu failed", failed_);
    }
    std::fputc('\n', stream);
}

}  // namespace vellumo
