// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#pragma once

#include <qimage.h>
