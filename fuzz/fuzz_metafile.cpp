// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The metafile record player: WMF and EMF data played into a picture, then drawn and saved.
#include "fuzzing.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <cstdlib>
#include <string>

namespace {

void Silent(QtMsgType, const QMessageLogContext&, const QString&) { }

} // namespace

// Fontconfig keeps its font caches until the process ends; that is no leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    SetMaxPictureSide(FuzzMaxPictureSide);
    qInstallMessageHandler(Silent);
    // Text records need fonts, and fonts need the application object.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMetafile metafile;
    try {
        metafile.LoadFromBytes(Bytes(data, size));
    } catch (const EInvalidGraphic&) {
        Require(metafile.Empty());
        return 0;
    }
    CheckDecoded(metafile);
    std::ostringstream saved;
    metafile.SaveToStream(saved);
    Require(saved.str() == std::string(reinterpret_cast<const char*>(data), size));
    CheckFitted<TMetafile>(Bytes(data, size));
    return 0;
}
