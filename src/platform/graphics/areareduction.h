// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Reduces a picture by area averaging while its rows are decoded, so that a large picture is
// never held whole. Not part of the public interface: the graphic classes use it.
#pragma once

#include "platform/gdi/gdi.h"

#include <cstdint>
#include <functional>
#include <vector>

// Each target pixel is the mean of the source area it covers, a source pixel that straddles
// two target pixels counted in each by the part it covers. The four bytes of a pixel are
// averaged alike, so premultiplied alpha stays premultiplied and an unused fourth byte stays 0.
// Source rows arrive in one direction (`order`: TopDown is the top row first), each at most
// once; a row never given counts as black (all bytes 0).
class TAreaReduction {
public:
    // Where target row `row` (0 is the top) is written once it is complete.
    using TTargetRow = std::function<uint32_t*(int32_t row)>;

    // Target sides are 1 … the source's.
    TAreaReduction(int64_t sourceWidth, int64_t sourceHeight, int32_t targetWidth,
        int32_t targetHeight, TRowOrder order, TTargetRow targetRow);

    // Source row `row` (0 is the top); pixels[x] for x in begin … end − 1 are read, the rest of
    // the row counts as black.
    void AddRow(int64_t row, const uint32_t* pixels) { AddRow(row, pixels, 0, m_sourceWidth); }
    void AddRow(int64_t row, const uint32_t* pixels, int64_t begin, int64_t end);
    // Writes the rows still open; call once, after the last row.
    void Finish();

private:
    // Where one source index lands along an axis: its first target index and the part of it
    // there (the rest, up to the target size, goes to the next target index).
    struct TSpan {
        int32_t First;
        int32_t Part;
    };
    static std::vector<TSpan> Spans(int64_t source, int32_t target);

    struct TOpenRow {
        int32_t Row = -1;
        std::vector<uint64_t> Sums; // four per target pixel
    };
    TOpenRow& Open(int32_t row);
    // Writes every target row before `limit` in arrival order.
    void WriteRowsBefore(int32_t limit);

    int64_t m_sourceWidth;
    int64_t m_sourceHeight;
    int32_t m_targetWidth;
    int32_t m_targetHeight;
    TRowOrder m_order;
    TTargetRow m_targetRow;
    std::vector<TSpan> m_columns;
    std::vector<TSpan> m_rows;
    std::vector<uint32_t> m_rowSums; // one source row reduced across: four per target pixel
    std::vector<TOpenRow> m_open; // at most two: a source row touches two target rows at most
    int32_t m_nextToClose; // target rows before it (in arrival order) are written
};
