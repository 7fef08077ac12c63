// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The picture classes: TPicture holding one TGraphic, which is a TBitmap, TJPEGImage, TIcon,
// TMetafile, or a PNG or GIF image; and the recognition of picture data by its first bytes.
#pragma once

#include "platform/graphics/alphagraphic.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphic.h"
#include "platform/graphics/graphicformat.h"
#include "platform/graphics/icon.h"
#include "platform/graphics/jpegimage.h"
#include "platform/graphics/metafile.h"
#include "platform/graphics/picture.h"
