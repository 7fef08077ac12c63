// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// JPEG files made with libjpeg's own compressor, a row at a time, so that a picture of any size
// costs no memory of its size: for the decoder's tests and the benches.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

struct TJpegOptions {
    J_COLOR_SPACE InSpace = JCS_RGB;
    int Components = 3;
    bool Progressive = false;
    bool AdobeMarker = true; // only matters for CMYK
    int Quality = 95;
};

namespace jpegencode {

// `sample(x, y, c)` gives component c of a pixel; the destination is set on `info` already.
template <class FSample>
void CompressRows(jpeg_compress_struct& info, int width, int height, FSample&& sample,
    const TJpegOptions& options)
{
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = options.Components;
    info.in_color_space = options.InSpace;
    jpeg_set_defaults(&info);
    if (options.InSpace == JCS_CMYK) {
        jpeg_set_colorspace(&info, JCS_CMYK);
        info.write_Adobe_marker = options.AdobeMarker;
    }
    jpeg_set_quality(&info, options.Quality, TRUE);
    if (options.Progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(size_t(width) * size_t(options.Components));
    while (info.next_scanline < info.image_height) {
        const int y = int(info.next_scanline);
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < options.Components; ++c)
                row[size_t(x) * size_t(options.Components) + size_t(c)] = JSAMPLE(sample(x, y, c));
        JSAMPROW rows[1] = { row.data() };
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
}

} // namespace jpegencode

// The file's bytes.
template <class FSample>
std::vector<uint8_t> CompressJpeg(int width, int height, FSample&& sample, const TJpegOptions& options = {})
{
    jpeg_compress_struct info {};
    jpeg_error_mgr error {};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    jpegencode::CompressRows(info, width, height, sample, options);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

// The same written to a file; false when it cannot be written.
template <class FSample>
bool WriteJpegFile(const std::string& path, int width, int height, FSample&& sample, const TJpegOptions& options = {})
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct info {};
    jpeg_error_mgr error {};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    jpegencode::CompressRows(info, width, height, sample, options);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}
