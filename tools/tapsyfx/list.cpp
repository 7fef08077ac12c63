// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "commands.h"
#include "tooloptions.h"

#include "effects/effects.h"

#include <cstdio>

int RunList(int argc, char** argv)
{
    const TToolOptions options(argc, argv, {});
    for (int32_t style = 1; style <= EffectCount; ++style)
        std::printf("%d\t%s\n", style, EffectByStyle(style)->Name);
    return 0;
}
