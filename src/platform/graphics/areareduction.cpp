// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/graphics/areareduction.h"

#include <algorithm>
#include <cassert>

// Along an axis of S source and T target pixels, source pixel i covers [i·T, (i+1)·T) and
// target pixel j covers [j·S, (j+1)·S) of one scale, so every overlap is a whole number and a
// target pixel's parts add up to S. A channel sum across a row stays below 255·S < 2^28 for
// S ≤ 2^20 (the largest picture side a file may claim), and the sum over the area below 2^48.

std::vector<TAreaReduction::TSpan> TAreaReduction::Spans(int64_t source, int32_t target)
{
    std::vector<TSpan> spans(static_cast<size_t>(source));
    for (int64_t i = 0; i < source; ++i) {
        const int64_t start = i * target;
        const int64_t first = start / source;
        const int64_t part = std::min(start + target, (first + 1) * source) - start;
        spans[size_t(i)] = { int32_t(first), int32_t(part) };
    }
    return spans;
}

TAreaReduction::TAreaReduction(int64_t sourceWidth, int64_t sourceHeight, int32_t targetWidth,
    int32_t targetHeight, TRowOrder order, TTargetRow targetRow)
    : m_sourceWidth(sourceWidth)
    , m_sourceHeight(sourceHeight)
    , m_targetWidth(targetWidth)
    , m_targetHeight(targetHeight)
    , m_order(order)
    , m_targetRow(std::move(targetRow))
    , m_columns(Spans(sourceWidth, targetWidth))
    , m_rows(Spans(sourceHeight, targetHeight))
    , m_rowSums(size_t(targetWidth) * 4)
    , m_nextToClose(order == TRowOrder::TopDown ? 0 : targetHeight - 1)
{
    assert(targetWidth >= 1 && targetWidth <= sourceWidth);
    assert(targetHeight >= 1 && targetHeight <= sourceHeight);
}

TAreaReduction::TOpenRow& TAreaReduction::Open(int32_t row)
{
    TOpenRow* free = nullptr;
    for (TOpenRow& open : m_open) {
        if (open.Row == row)
            return open;
        if (open.Row < 0)
            free = &open;
    }
    if (!free)
        free = &m_open.emplace_back();
    free->Row = row;
    free->Sums.assign(size_t(m_targetWidth) * 4, 0);
    return *free;
}

void TAreaReduction::WriteRowsBefore(int32_t limit)
{
    const bool topDown = m_order == TRowOrder::TopDown;
    // A mean is sum / area rounded; a multiplication by the reciprocal instead of a 64-bit
    // division per byte, with a margin so that an exact .5 still rounds up.
    const double perArea = 1.0 / (double(m_sourceWidth) * double(m_sourceHeight));
    while (topDown ? m_nextToClose < limit : m_nextToClose > limit) {
        const int32_t target = m_nextToClose;
        m_nextToClose += topDown ? 1 : -1;
        uint32_t* out = m_targetRow(target);
        const auto open = std::find_if(
            m_open.begin(), m_open.end(), [target](const TOpenRow& o) { return o.Row == target; });
        if (open == m_open.end()) {
            std::fill_n(out, m_targetWidth, 0u);
            continue;
        }
        for (int32_t x = 0; x < m_targetWidth; ++x) {
            const uint64_t* sums = open->Sums.data() + size_t(x) * 4;
            uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c)
                pixel |= uint32_t(double(sums[c]) * perArea + 0.5 + 1e-9) << (8 * c);
            out[x] = pixel;
        }
        open->Row = -1;
    }
}

void TAreaReduction::AddRow(int64_t row, const uint32_t* pixels, int64_t begin, int64_t end)
{
    begin = std::max<int64_t>(begin, 0);
    end = std::min(end, m_sourceWidth);
    if (row < 0 || row >= m_sourceHeight)
        return;
    const TSpan rowSpan = m_rows[size_t(row)];
    const int64_t rowRest = m_targetHeight - rowSpan.Part;
    const int32_t lastTarget = rowSpan.First + (rowRest > 0 ? 1 : 0);

    // Every target row that this source row and the ones after it cannot reach is complete.
    const bool topDown = m_order == TRowOrder::TopDown;
    WriteRowsBefore(topDown ? rowSpan.First : lastTarget);
    if (begin >= end)
        return;
    // A row out of order adds nothing to rows already written.
    if (topDown ? lastTarget < m_nextToClose : rowSpan.First > m_nextToClose)
        return;

    // Across the row, into the target columns this span reaches.
    const int32_t firstColumn = m_columns[size_t(begin)].First;
    const int32_t endColumn
        = std::min(m_columns[size_t(end - 1)].First + 2, m_targetWidth);
    std::fill(m_rowSums.begin() + firstColumn * 4, m_rowSums.begin() + endColumn * 4, 0u);
    for (int64_t x = begin; x < end; ++x) {
        const TSpan span = m_columns[size_t(x)];
        const uint32_t part = uint32_t(span.Part);
        const uint32_t rest = uint32_t(m_targetWidth) - part;
        const uint32_t p = pixels[x];
        uint32_t* sums = m_rowSums.data() + size_t(span.First) * 4;
        for (int c = 0; c < 4; ++c)
            sums[c] += ((p >> (8 * c)) & 0xFF) * part;
        if (rest) {
            for (int c = 0; c < 4; ++c)
                sums[4 + c] += ((p >> (8 * c)) & 0xFF) * rest;
        }
    }

    // Down, into the one or two target rows the source row reaches.
    auto addInto = [&](int32_t target, uint64_t weight) {
        if (topDown ? target < m_nextToClose : target > m_nextToClose)
            return;
        TOpenRow& open = Open(target);
        for (size_t i = size_t(firstColumn) * 4; i < size_t(endColumn) * 4; ++i)
            open.Sums[i] += weight * m_rowSums[i];
    };
    addInto(rowSpan.First, uint64_t(rowSpan.Part));
    if (rowRest > 0)
        addInto(rowSpan.First + 1, uint64_t(rowRest));
}

void TAreaReduction::Finish() { WriteRowsBefore(m_order == TRowOrder::TopDown ? m_targetHeight : -1); }
