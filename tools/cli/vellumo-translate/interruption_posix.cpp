#include <signal.h>

#include <initializer_list>

#include "interruption.h"

namespace vellumo {
namespace {

volatile sig_atomic_t interrupted = 0;

void Note(int) {
    interrupted = 1;
}

}  // namespace

void CatchInterruptions() {
    struct sigaction action = {};
    action.sa_handler = Note;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read waiting on a terminal or a pipe returns, so the
    // run notices at once.
    action.sa_flags = 0;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        (void)sigaction(signal, &action, nullptr);
    }
}

bool Interrupted() {
    return interrupted != 0;
}

}  // namespace vellumo
