// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/keycontent.h"

#include "platform/system/debuglog.h"
#include "platform/system/exception.h"
#include "platform/system/profile.h"
#include "platform/system/regularfile.h"
#include "platform/system/systemdirectory.h"

#include <chrono>
#include <cstdint>
#include <ctime>
#include <memory>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

fs::path KeyContentFilePath(const fs::path& SystemDir)
{
    return FindPathIgnoringCase(SystemDir, "TapsyV.ini");
}

namespace {

// Far beyond any real content file; a larger one reads as missing.
constexpr size_t MaxContentBytes = size_t(1) << 30;

int64_t RealTimeNs()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The content file as last read, and the keys looked up in it. A file whose identity (device,
// inode, size, modification and change times) is unchanged is not read again, so a huge file
// costs its read once while an edit still shows at the next key. A file changed within the
// last second before its read is not trusted to that: the file system's clock may be too
// coarse to tell that edit from a later one of the same size.
struct TContentCache {
    fs::path File;
    TFileIdentity Identity;
    bool Trusted = false;
    std::string Text;
    std::unordered_map<std::string, TKeyContent> Keys; // by the section name asked for
};

TContentCache& Cache()
{
    static TContentCache cache; // the user-interface thread's
    return cache;
}

// A read of the content file that did not end within its wait goes on, and a later key uses
// it if the file is still the one it reads: a very slow disk then costs one wait per state of
// the file instead of one at every key, and its content shows once it has arrived.
struct TPendingRead {
    std::unique_ptr<TFileRead> Read;
    fs::path File;
    TFileIdentity Identity; // of the file when the read started
    int64_t StartedNs = 0;
};

TPendingRead& Pending()
{
    static TPendingRead pending; // the user-interface thread's
    return pending;
}

TKeyContent LookUp(std::string_view Text, std::string_view Section)
{
    auto read = [&](std::string_view section, std::string_view key) {
        return ProfileStringFromText(Text, section, key, "", KeyContentValueSize);
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

} // namespace

TKeyContent ReadKeyContent(const fs::path& ContentFile, std::string_view Section)
{
    TContentCache& cache = Cache();
    const TFileIdentity now = RegularFileIdentity(ContentFile.string());
    if (!(cache.Trusted && cache.File == ContentFile && cache.Identity == now)) {
        cache = TContentCache();
        TPendingRead& pending = Pending();
        if (pending.Read && !(pending.File == ContentFile && pending.Identity == now))
            pending = TPendingRead(); // the file changed since: that read is abandoned
        try {
            bool waited = true;
            if (!pending.Read) {
                pending.Read = std::make_unique<TFileRead>(ContentFile.string(), MaxContentBytes);
                pending.File = ContentFile;
                pending.Identity = now;
                pending.StartedNs = RealTimeNs();
                waited = false;
            }
            // A read that has had its wait is only looked at: it costs no key a second wait.
            if (!pending.Read->Wait(waited ? std::chrono::milliseconds(0) : FileReadTimeout))
                throw Exception("The file \"" + ContentFile.string() + "\" was not read within "
                    + std::to_string(FileReadTimeout.count())
                    + " ms; it is read on and used at a later key if it is unchanged");
            const TPendingRead read = std::exchange(pending, TPendingRead());
            TFileIdentity identity;
            const std::vector<uint8_t> bytes = read.Read->Take(&identity);
            cache.Text = DecodeProfileText(std::string(bytes.begin(), bytes.end()));
            cache.File = ContentFile;
            cache.Identity = identity;
            constexpr int64_t coarseClockNs = 1000000000;
            cache.Trusted = identity.ModifiedNs < read.StartedNs - coarseClockNs
                && identity.ChangedNs < read.StartedNs - coarseClockNs;
        } catch (const Exception& error) {
            // Missing, not a plain file or not readable in time: every value reads as empty.
            std::error_code missing;
            if (fs::exists(ContentFile, missing))
                DebugLog("The key content file is not read: " + error.Message());
        }
    }
    // One text serves the four values and their fallbacks, so an edit between two of them
    // cannot mix old and new content within one press.
    const std::string key(Section);
    const auto found = cache.Keys.find(key);
    if (found != cache.Keys.end())
        return found->second;
    TKeyContent content = LookUp(cache.Text, Section);
    if (cache.Trusted)
        cache.Keys.emplace(key, content);
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
