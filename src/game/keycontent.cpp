// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/keycontent.h"

#include "platform/system/profile.h"
#include "platform/system/systemdirectory.h"

namespace fs = std::filesystem;

fs::path KeyContentFilePath(const fs::path& SystemDir)
{
    return FindPathIgnoringCase(SystemDir, "TapsyV.ini");
}

TKeyContent ReadKeyContent(const fs::path& ContentFile, std::string_view Section)
{
    // One read of the file serves the four values and their fallbacks, so an edit between
    // two of them cannot mix old and new content within one press.
    const std::string text = ReadProfileText(ContentFile);
    auto read = [&](std::string_view section, std::string_view key) {
        return ProfileStringFromText(text, section, key, "", KeyContentValueSize);
    };
    TKeyContent content;
    content.Display = read(Section, "Display");
    content.Desc = read(Section, "Desc");
    content.Picture = read(Section, "Picture");
    if (content.Picture.empty())
        content.Picture = read(OtherKeySection, "Picture");
    content.Music = read(Section, "Music");
    if (content.Music.empty())
        content.Music = read(OtherKeySection, "Music");
    return content;
}

fs::path KeyDataFilePath(const fs::path& SystemDir, std::string_view FileName)
{
    const fs::path dataFolder = FindPathIgnoringCase(SystemDir, "TapsyData");
    return FindPathIgnoringCase(dataFolder, FileName);
}

QString KeyNameCaption(const std::string& Display, uint16_t Key)
{
    if (!Display.empty())
        return QString::fromUtf8(Display.data(), qsizetype(Display.size()));
    const char16_t code = char16_t(Key & 0xFF);
    // Code 0 formats as the end of the text: nothing.
    return code ? QString(QChar(code)) : QString();
}
