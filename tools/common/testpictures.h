// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The two built-in test pictures of the tools, distinct colourful patterns that show every
// effect's shapes clearly.
#pragma once

#include "platform/gdi/gdi.h"

// `which` 0 is the start image, 1 the incoming picture; the pattern fills the whole bitmap.
void DrawTestPicture(TGdiBitmap& bitmap, int which);
