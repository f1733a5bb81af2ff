#include "engine/QuitSignals.h"

#include <SDL.h>

#include <csignal>

namespace korvid {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM};

volatile std::sig_atomic_t pendingSignal = 0;
int catchDepth = 0;
struct sigaction previous[2];

extern "C" void onQuitSignal(int sig) {
    if (pendingSignal != 0) {
        // Asked twice: whatever the game is doing, stop now.
        std::signal(sig, SIG_DFL);
        std::raise(sig);
        return;
    }
    pendingSignal = sig;
}

}  // namespace

void CatchQuitSignals() {
    if (catchDepth++ > 0) return;
    // SDL would turn the signals into a quit event of its own; ours carries
    // which signal came, and works with no SDL subsystem running.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 2; ++i) sigaction(kSignals[i], &action, &previous[i]);
}

void ReleaseQuitSignals() {
    if (catchDepth == 0 || --catchDepth > 0) return;
    for (int i = 0; i < 2; ++i) sigaction(kSignals[i], &previous[i], nullptr);
}

int PendingQuitSignal() { return pendingSignal; }

void RaisePendingQuitSignal() {
    const int sig = pendingSignal;
    if (sig == 0) return;
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

}  // namespace korvid
