// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// sheet: all effects at one progress on one page, to see at a glance what each one draws.
#include "commands.h"
#include "tooloptions.h"

#include "effects/effecthelpers.h"
#include "effects/effects.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdlib>

namespace {

constexpr int CellWidth = 160;
constexpr int CellHeight = 120;
constexpr int LabelHeight = 30;
constexpr int Gap = 6;
constexpr int Columns = 12;

QImage ToImage(const TGdiBitmap& bitmap)
{
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        const uint32_t* src = bitmap.ScanLine(y);
        auto* dst = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            dst[x] = src[x] | 0xFF000000u;
    }
    return image;
}

} // namespace

int RunSheet(int argc, char** argv)
{
    const TToolOptions options(argc, argv, { "progress", "out" });
    const auto progress = int32_t(options.Integer("progress", 0, 100));
    const QString out = QString::fromStdString(options.Text("out"));

    // Text needs a GUI application; no window is ever shown.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    char* qtArgv[] = { argv[0], nullptr };
    QGuiApplication application(qtArgc, qtArgv);

    TGdiBitmap start(CellWidth, CellHeight), picture(CellWidth, CellHeight), screen(CellWidth, CellHeight);
    DrawTestPicture(start, 0);
    DrawTestPicture(picture, 1);
    picture.OverrideHandle(1);

    const int rows = (EffectCount + Columns - 1) / Columns;
    QImage sheet(Gap + Columns * (CellWidth + Gap), Gap + rows * (CellHeight + LabelHeight + Gap),
        QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);

    for (int32_t style = 1; style <= EffectCount; ++style) {
        const int left = Gap + ((style - 1) % Columns) * (CellWidth + Gap);
        const int top = Gap + ((style - 1) / Columns) * (CellHeight + LabelHeight + Gap);
        const QRect cell(left, top, CellWidth, CellHeight);
        RandomSeed = 0;
        ComposeFrame(style, screen, start, picture, progress);
        painter.drawImage(cell.topLeft(), ToImage(screen));
        painter.setPen(Qt::black);
        const QRect label(left, top + CellHeight + 1, CellWidth, LabelHeight - 1);
        painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
            QString::number(style) + QStringLiteral(" ") + QString::fromUtf8(EffectByStyle(style)->Name));
    }
    painter.end();
    // A palette of 256 colours keeps the sheet small enough to live in the repository.
    const QImage indexed = sheet.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    if (!indexed.save(out, "PNG", 9))
        throw TToolError("cannot write '" + out.toStdString() + "'");
    return 0;
}
