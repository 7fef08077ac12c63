// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The guardian of a locked game: a small process of its own, started by the hook library when
// it takes the X server's own keys out of the keyboard map, empties GNOME's restore-shortcuts
// key binding or loads KWin's keep-in-front script, that puts them back when the game cannot.
//   tapsy-guardian GAME-PID DISPLAY      (the game's heartbeat on descriptor 3; DISPLAY is empty
//                                         on Wayland)
// The game's user-interface thread writes a byte to descriptor 3 twice a second. When the
// descriptor closes, the game has ended, well or not; if the keys are still out (their state
// file is still there), the guardian puts them back, and the key binding and KWin's script
// likewise. When no byte comes for HangTime, the user-interface thread is stuck and the parent
// could not leave: the guardian ends the game (SIGKILL, so that its keyboard grab goes too) and
// then puts the keys back.
#include "hook/kwinscript.h"
#include "hook/restoreshortcuts.h"
#include "hook/serverkeys.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <string>
#include <sys/types.h>
#include <unistd.h>

namespace {

// Far longer than anything the game does between two turns of its event loop (file reads are
// bounded at 3 s), short enough for a parent at a frozen screen.
constexpr auto HangTime = std::chrono::seconds(8);
constexpr int Heartbeat = 3;

void Say(const std::string& Line) { std::fprintf(stderr, "Tapsy guardian: %s\n", Line.c_str()); }

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s GAME-PID DISPLAY (heartbeat on descriptor 3)\n", argv[0]);
        return 2;
    }
    const pid_t game = pid_t(std::atol(argv[1]));
    const std::string display = argv[2];
    // The end of a terminal or a session must not take the guardian before it did its work.
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGHUP, SIG_IGN);
    std::signal(SIGTERM, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);

    using Clock = std::chrono::steady_clock;
    auto lastBeat = Clock::now();
    bool ended = false;
    for (;;) {
        pollfd beat { Heartbeat, POLLIN, 0 };
        const int ready = poll(&beat, 1, 500);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready > 0) {
            char bytes[64];
            const ssize_t got = read(Heartbeat, bytes, sizeof bytes);
            if (got > 0) {
                lastBeat = Clock::now();
                continue;
            }
            if (got == 0 || (errno != EINTR && errno != EAGAIN))
                break; // the game's end is closed: the game is gone or unlocked
        }
        if (!ended && Clock::now() - lastBeat > HangTime) {
            Say("the game has not answered for "
                + std::to_string(std::chrono::duration_cast<std::chrono::seconds>(HangTime).count())
                + " s; it is ended so that the keyboard is free.");
            kill(game, SIGKILL); // its end is still open, so the process is still the game
            ended = true;
        }
    }

    TServerKeys keys;
    if (!display.empty() && keys.RestoreFromStateFile(display))
        Say(keys.Message);
    TRestoreShortcutsKey binding;
    if (binding.RestoreFromStateFile())
        Say(binding.Message);
    TKWinScript script;
    if (script.UnloadFromStateFile())
        Say(script.Message);
    return 0;
}
