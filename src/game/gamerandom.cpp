// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/gamerandom.h"

TGameRandom GameRandom;
