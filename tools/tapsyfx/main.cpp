// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// tapsy-fx: the transition effects without the game, for looking at them, comparing them and
// timing them.
#include "commands.h"
#include "tooloptions.h"

#include "platform/system/exception.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <iterator>

namespace {

struct TCommand {
    const char* Name;
    int (*Run)(int, char**);
    const char* Usage;
};

constexpr TCommand Commands[] = {
    { "list", RunList, "list" },
    { "render", RunRender,
        "render --style N --progress P --from OLD --to NEW --out FRAME.bmp [--handle H]" },
    { "frames", RunFrames,
        "frames --style N --from OLD --to NEW --out DIR [--step S]   (DIR/frame_000.bmp, frame_001.bmp, …)" },
    { "sheet", RunSheet, "sheet --progress P --out SHEET.png" },
    { "bench", RunBench, "bench [--size WxH | --from OLD --to NEW] [--style N] [--copy]" },
    { "convert", RunConvert, "convert [--background RRGGBB] IN OUT.bmp" },
};

void PrintUsage(std::FILE* out)
{
    std::fprintf(out, "usage:\n");
    for (const TCommand& command : Commands)
        std::fprintf(out, "  tapsy-fx %s\n", command.Usage);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "tapsy-fx: missing command (try 'tapsy-fx help')\n");
        return 2;
    }
    if (!std::strcmp(argv[1], "help") || !std::strcmp(argv[1], "--help")) {
        PrintUsage(stdout);
        return 0;
    }
    for (const TCommand& command : Commands) {
        if (std::strcmp(argv[1], command.Name) != 0)
            continue;
        try {
            return command.Run(argc - 1, argv + 1);
        } catch (const TToolError& error) {
            std::fprintf(stderr, "tapsy-fx %s: %s\n", command.Name, error.what());
        } catch (const Exception& error) {
            // A picture file that cannot be read, or another bad input the libraries reject.
            std::fprintf(stderr, "tapsy-fx %s: %s\n", command.Name, error.what());
        } catch (const std::exception& error) {
            std::fprintf(stderr, "tapsy-fx %s: failed: %s\n", command.Name, error.what());
            return 1;
        }
        return 2;
    }
    std::fprintf(stderr, "tapsy-fx: unknown command '%s' (try 'tapsy-fx help')\n", argv[1]);
    return 2;
}
