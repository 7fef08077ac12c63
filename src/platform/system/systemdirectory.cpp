// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/systemdirectory.h"

#include "platform/system/programpath.h"
#include "platform/system/sametext.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

fs::path SystemDirectory()
{
    const char* configured = std::getenv("TAPSY_SYSTEM_DIR");
    if (configured && *configured)
        return fs::path(configured);
    return (ProgramDirectory() / ".." / "share" / "tapsy").lexically_normal();
}

namespace {

std::vector<std::string_view> Parts(std::string_view relative)
{
    std::vector<std::string_view> parts;
    size_t pos = 0;
    while (pos <= relative.size()) {
        size_t end = relative.find_first_of("/\\", pos);
        if (end == std::string_view::npos)
            end = relative.size();
        if (end > pos)
            parts.push_back(relative.substr(pos, end - pos));
        pos = end + 1;
    }
    return parts;
}

std::optional<fs::path> EntryIgnoringCase(const fs::path& folder, std::string_view name)
{
    std::error_code error;
    std::optional<fs::path> best;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (SameText(entry, name) && (!best || entry < best->filename().string()))
            best = it->path();
    }
    return best;
}

} // namespace

fs::path FindPathIgnoringCase(const fs::path& Base, std::string_view Relative)
{
    const std::vector<std::string_view> parts = Parts(Relative);
    fs::path written = Base;
    for (const std::string_view part : parts)
        written /= fs::path(std::string(part));

    fs::path found = Base;
    std::error_code error;
    for (const std::string_view part : parts) {
        fs::path next = found / fs::path(std::string(part));
        if (part != "." && part != ".." && !fs::exists(next, error)) {
            const std::optional<fs::path> entry = EntryIgnoringCase(found, part);
            if (!entry)
                return written;
            next = *entry;
        }
        found = std::move(next);
    }
    return found;
}
