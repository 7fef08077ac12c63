// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "tooloptions.h"

#include "platform/graphics/bmpcodec.h"
#include "platform/graphics/graphics.h"

#include <fstream>

std::unique_ptr<TGdiBitmap> LoadPicture(const std::string& path, int32_t W, int32_t H)
{
    // Checked first for a clear message: the picture classes report only what they could parse.
    if (!std::ifstream(path, std::ios::binary))
        throw TToolError("cannot open '" + path + "'");
    TPicture picture;
    picture.LoadFromFile(path);
    const TGraphic* graphic = picture.Graphic();
    if (!graphic || graphic->Empty())
        throw TToolError("'" + path + "' holds an empty picture");
    if (W == 0 && H == 0) {
        W = graphic->Width();
        H = graphic->Height();
    }
    auto bitmap = std::make_unique<TGdiBitmap>(W, H);
    bitmap->Fill(RGB(0, 0, 0));
    graphic->Draw(bitmap->DC(), TRect { 0, 0, graphic->Width(), graphic->Height() });
    return bitmap;
}

void SavePicture(const TGdiBitmap& bitmap, const std::string& path)
{
    const std::string file = WriteBmp(bitmap);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(file.data(), std::streamsize(file.size()));
    out.close();
    if (!out)
        throw TToolError("cannot write '" + path + "'");
}
