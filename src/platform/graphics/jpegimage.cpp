// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/graphics/jpegimage.h"
#include "platform/graphics/areareduction.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphicprivate.h"

#include "platform/system/exception.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>

#include <jerror.h>
#include <jpeglib.h>

// libjpeg reports fatal errors through a callback that must not return. We leave it with
// longjmp back into a function that holds no C++ objects of its own; everything with a
// destructor lives in the caller, so nothing is skipped.

namespace {

const TGraphicClassInfo JPEGImageClass { "TJPEGImage",
    [] { return std::unique_ptr<TGraphic>(new TJPEGImage); } };

// Progressive and multi-scan files keep every DCT coefficient of the whole picture in memory
// (128 bytes per 8×8 block and component) before a pixel comes out; bigger ones are refused.
constexpr uint64_t CoefficientBudget = uint64_t(512) << 20;
// The same bound, plus room for libjpeg's working buffers, as its own allocation limit.
constexpr long JpegMemoryLimit = long(640) << 20;
// Each scan of a progressive file passes over the whole picture; thousands of tiny scans are a
// known way to make a small file decode for minutes.
constexpr int MaxScans = 1000;

struct TJpegError {
    jpeg_error_mgr Manager; // first, so that libjpeg's pointer is ours
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void Abandon(TJpegError& error, const char* message)
{
    std::snprintf(error.Message, sizeof error.Message, "%s", message);
    std::longjmp(error.Jump, 1);
}

[[noreturn]] void OnErrorExit(j_common_ptr info)
{
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    (*info->err->format_message)(info, error->Message);
    std::longjmp(error->Jump, 1);
}

void OnEmitMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return; // trace messages
    // A file cut short, or compressed data that stops at a marker before the picture is
    // complete, is only a warning to libjpeg, which then pads the picture with grey.
    if (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER)
        OnErrorExit(info);
    // Other warnings (stray bytes before a marker, odd progression) are recovered from.
    ++info->err->num_warnings;
}

void OnProgress(j_common_ptr info)
{
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (info->is_decompressor && decompress->input_scan_number > MaxScans)
        Abandon(*reinterpret_cast<TJpegError*>(info->err), "too many scans");
}

void InstallErrorManager(j_common_ptr info, TJpegError& error)
{
    info->err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = OnErrorExit;
    error.Manager.emit_message = OnEmitMessage;
    error.Message[0] = '\0';
}

uint64_t CoefficientBytes(const jpeg_decompress_struct& info)
{
    uint64_t bytes = 0;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        bytes += uint64_t(component.width_in_blocks + component.h_samp_factor)
            * uint64_t(component.height_in_blocks + component.v_samp_factor) * DCTSIZE2
            * sizeof(JCOEF);
    }
    return bytes;
}

uint8_t Multiply(uint32_t a, uint32_t b) { return uint8_t((a * b + 127) / 255); }

// Converts the pixels columns[0 … n−1] of one decoded row (4 bytes a pixel) into out. One
// converter a colour space, chosen once for the picture.
using TRowConverter = void (*)(const uint8_t* row, const int64_t* columns, uint32_t* out, int32_t n);

// libjpeg-turbo already wrote our own layout: blue, green, red, fourth byte.
void ConvertBgrxRow(const uint8_t* row, const int64_t* columns, uint32_t* out, int32_t n)
{
    for (int32_t x = 0; x < n; ++x) {
        const uint8_t* p = row + 4 * columns[x];
        out[x] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
}

// Cyan, magenta, yellow and black ink; Adobe writes them inverted, as the light left over.
template <bool Inverted>
void ConvertCmykRow(const uint8_t* row, const int64_t* columns, uint32_t* out, int32_t n)
{
    for (int32_t x = 0; x < n; ++x) {
        const uint8_t* p = row + 4 * columns[x];
        const auto Light = [p](int i) { return Inverted ? uint32_t(p[i]) : 255 - uint32_t(p[i]); };
        const uint32_t k = Light(3);
        out[x] = uint32_t(Multiply(Light(0), k)) << 16 | uint32_t(Multiply(Light(1), k)) << 8
            | Multiply(Light(2), k);
    }
}

struct TDecoder {
    jpeg_decompress_struct Info {};
    TJpegError Error {};
    jpeg_progress_mgr Progress {};
    bool Created = false;
    bool Grayscale = false;
    std::unique_ptr<TGdiBitmap> Bitmap;
    std::vector<uint8_t> Row;
    std::vector<int32_t> Rows; // output row of each scanline, or -1
    std::vector<int64_t> Columns; // scanline pixel of each output column
    // When the picture is reduced to fit: one whole scanline converted, and the reduction.
    std::vector<uint32_t> Pixels;
    std::unique_ptr<TAreaReduction> Reduction;

    ~TDecoder()
    {
        if (Created)
            jpeg_destroy_decompress(&Info);
    }
};

// Without `fit`, the picture is decoded within `limit`; with it, at the size it answers.
bool Decode(TDecoder& d, std::span<const uint8_t> data, int32_t limit, const TFitSize* fit)
{
    j_decompress_ptr info = &d.Info;
    if (setjmp(d.Error.Jump))
        return false;
    jpeg_create_decompress(info);
    d.Created = true;
    info->mem->max_memory_to_use = JpegMemoryLimit;
    d.Progress.progress_monitor = OnProgress;
    info->progress = &d.Progress;
    jpeg_mem_src(info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(info, TRUE);

    bool cmyk = false;
    switch (info->jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_RGB:
    case JCS_YCbCr:
        // libjpeg-turbo writes our own pixel layout directly, grey included.
        info->out_color_space = JCS_EXT_BGRX;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        info->out_color_space = JCS_CMYK;
        cmyk = true;
        break;
    default:
        Abandon(d.Error, "unsupported colour space");
    }
    d.Grayscale = info->jpeg_color_space == JCS_GRAYSCALE;

    TDecodeSize wanted {};
    if (fit) {
        // The smallest DCT scale (1/8 … 8/8) that is still at least the size wanted; the area
        // reduction takes it the rest of the way.
        wanted = FitSizeFor(info->image_width, info->image_height, *fit);
        for (unsigned int num = 1; num <= 8; ++num) {
            info->scale_num = num;
            info->scale_denom = 8;
            jpeg_calc_output_dimensions(info);
            if (info->output_width >= JDIMENSION(wanted.Width)
                && info->output_height >= JDIMENSION(wanted.Height))
                break;
        }
    } else {
        // The largest DCT scale (8/8 … 1/8) at which the picture fits.
        for (unsigned int num = 8; num >= 1; --num) {
            info->scale_num = num;
            info->scale_denom = 8;
            jpeg_calc_output_dimensions(info);
            if (info->output_width <= JDIMENSION(limit) && info->output_height <= JDIMENSION(limit))
                break;
        }
    }
    if (jpeg_has_multiple_scans(info) && CoefficientBytes(*info) > CoefficientBudget)
        Abandon(d.Error, "the picture is too large to decode");

    jpeg_start_decompress(info);
    const int64_t scaledWidth = info->output_width;
    const int64_t scaledHeight = info->output_height;
    TRowConverter convertRow = ConvertBgrxRow;
    if (cmyk)
        convertRow = info->saw_Adobe_marker ? ConvertCmykRow<true> : ConvertCmykRow<false>;
    d.Row.resize(size_t(scaledWidth) * 4);
    if (fit) {
        if (wanted.Width != scaledWidth || wanted.Height != scaledHeight) {
            d.Bitmap = std::make_unique<TGdiBitmap>(wanted.Width, wanted.Height);
            d.Columns = SourceIndices(scaledWidth, int32_t(scaledWidth));
            d.Pixels.resize(size_t(scaledWidth));
            d.Reduction = std::make_unique<TAreaReduction>(scaledWidth, scaledHeight,
                wanted.Width, wanted.Height, TRowOrder::TopDown,
                [bitmap = d.Bitmap.get()](int32_t row) { return bitmap->ScanLine(row); });
            while (info->output_scanline < info->output_height) {
                const int64_t source = info->output_scanline;
                JSAMPROW row = d.Row.data();
                jpeg_read_scanlines(info, &row, 1);
                convertRow(d.Row.data(), d.Columns.data(), d.Pixels.data(), int32_t(scaledWidth));
                d.Reduction->AddRow(source, d.Pixels.data());
            }
            d.Reduction->Finish();
            jpeg_finish_decompress(info);
            return true;
        }
    }
    // Only when even 1/8 is too large (possible only with a lowered limit): subsample as well.
    // A size wanted that one of the scales meets exactly needs neither.
    const TDecodeSize size = fit ? wanted : FitWithin(scaledWidth, scaledHeight, limit);
    d.Bitmap = std::make_unique<TGdiBitmap>(size.Width, size.Height);
    d.Rows = TargetIndices(scaledHeight, size.Height);
    d.Columns = SourceIndices(scaledWidth, size.Width);

    while (info->output_scanline < info->output_height) {
        const int32_t target = d.Rows[info->output_scanline];
        JSAMPROW row = d.Row.data();
        jpeg_read_scanlines(info, &row, 1);
        if (target < 0)
            continue;
        convertRow(d.Row.data(), d.Columns.data(), d.Bitmap->ScanLine(target), size.Width);
    }
    // Reads on to the end-of-image marker, so that a file missing its tail is noticed.
    jpeg_finish_decompress(info);
    return true;
}

struct TEncoder {
    jpeg_compress_struct Info {};
    TJpegError Error {};
    bool Created = false;
    unsigned char* Buffer = nullptr;
    unsigned long Size = 0;

    ~TEncoder()
    {
        if (Created)
            jpeg_destroy_compress(&Info);
        std::free(Buffer);
    }
};

bool Encode(TEncoder& e, const TGdiBitmap& bitmap, int32_t quality, bool grayscale)
{
    j_compress_ptr info = &e.Info;
    if (setjmp(e.Error.Jump))
        return false;
    jpeg_create_compress(info);
    e.Created = true;
    jpeg_mem_dest(info, &e.Buffer, &e.Size);
    info->image_width = JDIMENSION(bitmap.Width());
    info->image_height = JDIMENSION(bitmap.Height());
    info->input_components = 4;
    info->in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(info);
    if (grayscale)
        jpeg_set_colorspace(info, JCS_GRAYSCALE);
    jpeg_set_quality(info, quality, TRUE);
    jpeg_start_compress(info, TRUE);
    while (info->next_scanline < info->image_height) {
        // libjpeg only reads the row; its interface just is not const.
        auto row = const_cast<JSAMPROW>(
            reinterpret_cast<const JSAMPLE*>(bitmap.ScanLine(int32_t(info->next_scanline))));
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

} // namespace

TJPEGImage::TJPEGImage()
    : m_bitmap(std::make_unique<TGdiBitmap>())
{
}

TJPEGImage::~TJPEGImage() = default;

TGraphicClass TJPEGImage::Class() { return &JPEGImageClass; }

void TJPEGImage::Draw(HDC dc, const TRect& rect) const { DrawOpaque(dc, rect, *m_bitmap); }

void TJPEGImage::LoadFromBytes(std::span<const uint8_t> data) { Load(data, nullptr); }

void TJPEGImage::LoadFromBytesToFit(std::span<const uint8_t> data, const TFitSize& fit)
{
    Load(data, &fit);
}

void TJPEGImage::Load(std::span<const uint8_t> data, const TFitSize* fit)
{
    TDecoder decoder;
    InstallErrorManager(reinterpret_cast<j_common_ptr>(&decoder.Info), decoder.Error);
    if (!Decode(decoder, data, MaxPictureSide(), fit))
        throw EInvalidGraphic(std::string("Invalid JPEG picture: ") + decoder.Error.Message);
    m_bitmap = std::move(decoder.Bitmap);
    m_grayscale = decoder.Grayscale;
    Changed();
}

void TJPEGImage::SaveToStream(std::ostream& stream) const
{
    if (Empty())
        throw EInvalidGraphic("An empty picture cannot be saved");
    TEncoder encoder;
    InstallErrorManager(reinterpret_cast<j_common_ptr>(&encoder.Info), encoder.Error);
    if (!Encode(encoder, *m_bitmap, m_quality, m_grayscale))
        throw EInvalidGraphic(
            std::string("The JPEG picture cannot be written: ") + encoder.Error.Message);
    stream.write(reinterpret_cast<const char*>(encoder.Buffer), std::streamsize(encoder.Size));
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const
{
    auto copy = std::make_unique<TJPEGImage>();
    CopyBitmap(*m_bitmap, *copy->m_bitmap);
    copy->m_quality = m_quality;
    copy->m_grayscale = m_grayscale;
    return copy;
}

void TJPEGImage::Assign(const TBitmap& source)
{
    auto bitmap = std::make_unique<TGdiBitmap>();
    CopyBitmap(source.Bitmap(), *bitmap);
    m_bitmap = std::move(bitmap);
    m_grayscale = false;
    Changed();
}

void TJPEGImage::SetCompressionQuality(int32_t quality) { m_quality = std::clamp(quality, 1, 100); }
