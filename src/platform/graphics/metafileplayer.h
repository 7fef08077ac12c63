// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Reads Windows metafiles (WMF with or without the placeable header, and EMF) and plays their
// records onto a QPainter. Not part of the public interface: TMetafile is.
#pragma once

#include <QRectF>

#include <cstdint>
#include <span>

class QPainter;

enum class TMetafileKind : uint8_t { Wmf, PlaceableWmf, Emf };

// What the header tells: the kind and the picture's size in pixels at 96 dots an inch.
struct TMetafileHeader {
    TMetafileKind Kind = TMetafileKind::Wmf;
    int64_t Width = 0;
    int64_t Height = 0;
};

// Reads and checks the header; EInvalidGraphic when the data is not a metafile. A plain WMF
// that names no window extent is measured by playing it (the bounds of what it draws).
TMetafileHeader ReadMetafileHeader(std::span<const uint8_t> data);

struct TPlayStats {
    int Played = 0; // records drawn or taken into the drawing state
    int Skipped = 0; // records the player cannot play (unknown kinds, bad parameters)
};

// Plays the records onto the painter so that the picture covers `target` (in the painter's
// coordinates). Records that cannot be played are skipped; playing stops at the end record, at
// a record whose size is impossible, or at the end of the data.
TPlayStats PlayMetafile(std::span<const uint8_t> data, const TMetafileHeader& header,
    QPainter& painter, const QRectF& target);
