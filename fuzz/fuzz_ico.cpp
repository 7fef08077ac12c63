// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Icon files: our directory checks in front of Qt's reader, and blending onto a canvas.
#include "fuzzing.h"

#include <QtGlobal>

namespace {

void Silent(QtMsgType, const QMessageLogContext&, const QString&) { }

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetMaxPictureSide(FuzzMaxPictureSide);
    qInstallMessageHandler(Silent); // the icon reader complains about every broken input
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TIcon icon;
    try {
        icon.LoadFromBytes(Bytes(data, size));
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    CheckDecoded(icon);
    return 0;
}
