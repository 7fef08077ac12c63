// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/graphics/graphicformat.h"
#include "platform/graphics/alphagraphic.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/icon.h"
#include "platform/graphics/jpegimage.h"
#include "platform/graphics/metafile.h"

#include <algorithm>
#include <cstring>
#include <istream>

namespace {

struct TSignature {
    TGraphicClass (*Class)();
    size_t Offset;
    size_t Length;
    const char* Bytes;
};

// Tested in this order.
const TSignature Signatures[] = {
    { TBitmap::Class, 0, 2, "BM" },
    { TJPEGImage::Class, 6, 4, "JFIF" },
    { TJPEGImage::Class, 6, 4, "Exif" },
    { TMetafile::Class, 41, 3, "EMF" },
    { TMetafile::Class, 0, 4, "\xD7\xCD\xC6\x9A" },
    // Not among the class library's own formats; accepted as a courtesy, after them.
    { TPngImage::Class, 0, 8, "\x89PNG\r\n\x1A\n" },
    { TGIFImage::Class, 0, 6, "GIF87a" },
    { TGIFImage::Class, 0, 6, "GIF89a" },
};

constexpr size_t SignatureSpan = 44; // the furthest byte any signature looks at, plus one

struct TExtension {
    const char* Name;
    TGraphicClass (*Class)();
};

const TExtension Extensions[] = {
    { "bmp", TBitmap::Class },
    { "ico", TIcon::Class },
    { "wmf", TMetafile::Class },
    { "emf", TMetafile::Class },
    { "jpg", TJPEGImage::Class },
    { "jpeg", TJPEGImage::Class },
    { "png", TPngImage::Class },
    { "gif", TGIFImage::Class },
};

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

} // namespace

TGraphicClass FindGraphicClass(std::span<const uint8_t> data)
{
    for (const TSignature& signature : Signatures) {
        if (data.size() >= signature.Offset + signature.Length
            && std::memcmp(data.data() + signature.Offset, signature.Bytes, signature.Length) == 0)
            return signature.Class();
    }
    return nullptr;
}

TGraphicClass FindGraphicClass(std::istream& stream)
{
    uint8_t head[SignatureSpan];
    const auto start = stream.tellg();
    stream.read(reinterpret_cast<char*>(head), sizeof head);
    const auto got = size_t(stream.gcount());
    stream.clear();
    stream.seekg(start);
    return FindGraphicClass(std::span<const uint8_t>(head, got));
}

TGraphicClass GraphicClassForExtension(std::string_view extension)
{
    for (const TExtension& entry : Extensions) {
        if (EqualNoCase(extension, entry.Name))
            return entry.Class();
    }
    return nullptr;
}

std::string_view FileExtension(std::string_view path)
{
    const size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}
