// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// tapsy-fx convert [--background RRGGBB] IN OUT.bmp
// Decodes any picture the game can show and writes it as a 32-bit BMP, drawn over the
// background colour (white unless given) where the picture is transparent.
#include "commands.h"
#include "tooloptions.h"

#include "platform/graphics/graphics.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

#include <string>
#include <vector>

namespace {

constexpr const char* Usage = "usage: tapsy-fx convert [--background RRGGBB] IN OUT.bmp";

TColorRef ParseColour(const std::string& text)
{
    const int64_t value
        = text.size() == 6 && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos
        ? std::stoll(text, nullptr, 16)
        : -1;
    if (value < 0)
        throw TToolError("--background wants six hexadecimal digits RRGGBB, not '" + text + "'");
    return RGB(uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value));
}

// Qt's image plugins report damaged files on standard error themselves; the tool's own one-line
// error already says that the file could not be read.
void QuietImageReaders(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int RunConvert(int argc, char** argv)
{
    std::vector<std::string> files;
    TColorRef background = RGB(255, 255, 255);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--background") {
            if (i + 1 >= argc)
                throw TToolError("missing value after '--background'");
            background = ParseColour(argv[++i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw TToolError("unknown argument '" + arg + "' (" + Usage + ")");
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2)
        throw TToolError(Usage);
    const std::string& in = files[0];
    const std::string& out = files[1];
    if (GraphicClassForExtension(FileExtension(out)) != TBitmap::Class())
        throw TToolError("'" + out + "' must end in .bmp: convert writes BMP files only");

    qInstallMessageHandler(QuietImageReaders);
    // Text in metafiles needs fonts, and fonts a GUI application; no window is ever shown.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    char* qtArgv[] = { argv[0], nullptr };
    QGuiApplication application(qtArgc, qtArgv);
    TPicture picture;
    picture.LoadFromFile(in); // raises with a one-line message when the file cannot be read
    const TGraphic* graphic = picture.Graphic();
    if (!graphic || graphic->Empty())
        throw TToolError("'" + in + "' holds an empty picture");

    // An opaque bitmap is written as it is: a copy of a large picture would double the memory.
    if (const auto* decoded = dynamic_cast<const TBitmap*>(graphic)) {
        decoded->SaveToFile(out);
        return 0;
    }
    TBitmap bitmap;
    bitmap.Assign(*graphic, background);
    bitmap.SaveToFile(out);
    return 0;
}
