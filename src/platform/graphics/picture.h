// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A picture holds at most one graphic of any class and reports every change of it.
#pragma once

#include "platform/graphics/graphic.h"

class TBitmap;
class TIcon;
class TMetafile;

class TPicture {
public:
    TPicture();
    ~TPicture();
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // The graphic, or nullptr. The picture owns it and listens to its OnChange: leave that alone.
    TGraphic* Graphic() const { return m_graphic.get(); }
    // Holds a copy of `graphic` (nullptr: none).
    void SetGraphic(const TGraphic* graphic);
    // Takes the graphic over.
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // Holds a copy of the other picture's graphic.
    void Assign(const TPicture& source);

    // The graphic as that class; a graphic of another class (or none) is first replaced by an
    // empty one of this class.
    TBitmap& Bitmap();
    TIcon& Icon();
    TMetafile& Metafile();

    int32_t Width() const { return m_graphic ? m_graphic->Width() : 0; }
    int32_t Height() const { return m_graphic ? m_graphic->Height() : 0; }

    // Reads a file into a graphic of the class its extension names (FileExtension,
    // GraphicClassForExtension). An unknown extension raises EInvalidGraphic naming it; a file
    // that cannot be read leaves the picture as it was.
    void LoadFromFile(const std::string& path);
    // The same, no larger than `fit` answers for the picture's natural size
    // (TGraphic::LoadFromBytesToFit).
    void LoadFromFileToFit(const std::string& path, const TFitSize& fit);
    // Writes the graphic in its own format; EInvalidGraphic when there is none or it is empty.
    void SaveToFile(const std::string& path) const;

    // Fired after the graphic was replaced or its content changed.
    std::function<void()> OnChange;

private:
    template <class T> T& Ensure();
    std::unique_ptr<TGraphic> GraphicForFile(const std::string& path) const;
    void Changed();

    std::unique_ptr<TGraphic> m_graphic;
};
