// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// JPEG decoding through libjpeg-turbo with our error, scaling and colour handling; a decoded
// picture is encoded again.
#include "fuzzing.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetMaxPictureSide(FuzzMaxPictureSide);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TJPEGImage image;
    try {
        image.LoadFromBytes(Bytes(data, size));
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    CheckDecoded(image);
    CheckFitted<TJPEGImage>(Bytes(data, size));
    std::ostringstream out;
    image.SaveToStream(out);
    Require(out.str().size() > 4);
    return 0;
}
