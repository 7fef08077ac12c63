// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Recognising data by its first bytes, as a stream and as a block, then loading it with the
// class found: the road a picture read from a database field takes.
#include "fuzzing.h"

#include <QtGlobal>

#include <string>

namespace {

void Silent(QtMsgType, const QMessageLogContext&, const QString&) { }

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetMaxPictureSide(FuzzMaxPictureSide);
    qInstallMessageHandler(Silent);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TGraphicClass graphicClass = FindGraphicClass(Bytes(data, size));
    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    Require(FindGraphicClass(stream) == graphicClass);
    Require(stream.tellg() == std::streampos(0));
    if (!graphicClass)
        return 0;
    TPicture picture;
    try {
        std::unique_ptr<TGraphic> graphic = graphicClass->Create();
        graphic->LoadFromStream(stream);
        picture.SetGraphic(std::move(graphic));
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    CheckDecoded(*picture.Graphic());
    return 0;
}
