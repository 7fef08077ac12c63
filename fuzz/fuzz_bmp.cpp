// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Our own BMP reader; a decoded picture must also survive our writer and read back the same.
#include "fuzzing.h"

#include <cstring>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetMaxPictureSide(FuzzMaxPictureSide);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TBitmap bitmap;
    try {
        bitmap.LoadFromBytes(Bytes(data, size));
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    CheckDecoded(bitmap);
    CheckFitted<TBitmap>(Bytes(data, size));

    std::ostringstream out;
    bitmap.SaveToStream(out);
    const std::string file = out.str();
    TBitmap back;
    back.LoadFromBytes(Bytes(reinterpret_cast<const uint8_t*>(file.data()), file.size()));
    Require(back.Width() == bitmap.Width() && back.Height() == bitmap.Height());
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            Require(((back.Bitmap().Pixel(x, y) ^ bitmap.Bitmap().Pixel(x, y)) & 0xFFFFFF) == 0);
    return 0;
}
