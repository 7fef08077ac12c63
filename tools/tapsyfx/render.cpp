// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// render and frames: frames of one transition between two picture files, composed as the
// transition engine composes them.
#include "commands.h"
#include "tooloptions.h"

#include "effects/effecthelpers.h"
#include "effects/effects.h"

#include <cstdio>
#include <filesystem>

namespace {

// The bitmaps of one transition: the picture decides the size, the start image is cropped or
// padded to it.
struct TTransition {
    std::unique_ptr<TGdiBitmap> Picture;
    std::unique_ptr<TGdiBitmap> Start;
    std::unique_ptr<TGdiBitmap> Screen;

    TTransition(const std::string& from, const std::string& to, uint32_t handle)
        : Picture(LoadPicture(to))
        , Start(LoadPicture(from, Picture->Width(), Picture->Height()))
        , Screen(std::make_unique<TGdiBitmap>(Picture->Width(), Picture->Height()))
    {
        Picture->OverrideHandle(handle);
    }

    // The frame at `progress` into Screen; the style is one of the table's (StyleOption).
    void Compose(int32_t style, int32_t progress) { ComposeFrame(style, *Screen, *Start, *Picture, progress); }
};

} // namespace

int RunRender(int argc, char** argv)
{
    const TToolOptions options(argc, argv, { "style", "progress", "from", "to", "out", "handle" });
    const int32_t style = StyleOption(options);
    const auto progress = int32_t(options.Integer("progress", 0, 100));
    const auto handle = uint32_t(options.Integer("handle", 0, UINT32_MAX, 1));
    const std::string out = options.Text("out");
    TTransition transition(options.Text("from"), options.Text("to"), handle);

    RandomSeed = 0;
    transition.Compose(style, progress);
    SavePicture(*transition.Screen, out);
    return 0;
}

int RunFrames(int argc, char** argv)
{
    const TToolOptions options(argc, argv, { "style", "from", "to", "out", "step" });
    const int32_t style = StyleOption(options);
    const auto step = int32_t(options.Integer("step", 1, 100, 3));
    const std::filesystem::path dir = options.Text("out");
    TTransition transition(options.Text("from"), options.Text("to"), 1);

    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error || !std::filesystem::is_directory(dir))
        throw TToolError("cannot make the folder '" + dir.string() + "'");

    // One transition: the seed runs on from frame to frame, as in the engine.
    RandomSeed = 0;
    int index = 0;
    for (int32_t progress = 0;; progress = std::min(progress + step, 100)) {
        transition.Compose(style, progress);
        char name[32];
        std::snprintf(name, sizeof name, "frame_%03d.bmp", index++);
        SavePicture(*transition.Screen, (dir / name).string());
        if (progress == 100)
            break;
    }
    return 0;
}
