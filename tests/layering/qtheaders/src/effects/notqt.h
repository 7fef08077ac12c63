// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Headers whose names look like Qt's but are not.
#pragma once

#include <cstdint>
#include <quadmath.h>
#include <queue>
