// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/dynamiclibrary.h"

#include "platform/system/programpath.h"

#include <cstddef>
#include <dlfcn.h>
#include <system_error>

namespace {

// The folders of the system's library search for this program, in its order: LD_LIBRARY_PATH,
// the program's run path, the standard folders. Entries that are not absolute are dropped: an
// empty one (as CMake leaves in run paths it pads) would otherwise mean the current directory.
std::vector<std::filesystem::path> SystemLibraryDirs()
{
    std::vector<std::filesystem::path> dirs;
    void* self = dlopen(nullptr, RTLD_NOW);
    if (!self)
        return dirs;
    Dl_serinfo size {};
    if (dlinfo(self, RTLD_DI_SERINFOSIZE, &size) == 0 && size.dls_size >= sizeof(Dl_serinfo)) {
        std::vector<std::max_align_t> buffer(size.dls_size / sizeof(std::max_align_t) + 1);
        auto* info = reinterpret_cast<Dl_serinfo*>(buffer.data());
        *info = size;
        if (dlinfo(self, RTLD_DI_SERINFO, info) == 0) {
            for (unsigned i = 0; i < info->dls_cnt; ++i) {
                const char* name = info->dls_serpath[i].dls_name;
                if (name && name[0] == '/')
                    dirs.emplace_back(name);
            }
        }
    }
    dlclose(self);
    return dirs;
}

void* OpenFirst(const std::string& Name, const std::vector<std::filesystem::path>& Dirs)
{
    for (const std::filesystem::path& dir : Dirs) {
        if (!dir.is_absolute())
            continue;
        const std::filesystem::path candidate = dir / Name;
        std::error_code error;
        if (!std::filesystem::is_regular_file(candidate, error))
            continue;
        if (void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL))
            return handle;
    }
    return nullptr;
}

} // namespace

std::vector<std::filesystem::path> ProgramLibraryDirs()
{
    const std::filesystem::path dir = ProgramDirectory();
    if (dir.empty())
        return {};
    return { dir, (dir / ".." / "lib" / "tapsy").lexically_normal(),
        (dir / ".." / "lib").lexically_normal() };
}

std::unique_ptr<TDynamicLibrary> TDynamicLibrary::Load(
    const std::string& Name, const std::vector<std::filesystem::path>& SearchDirs)
{
    if (Name.empty())
        return nullptr;
    void* handle = nullptr;
    if (Name.find('/') != std::string::npos) {
        if (Name.front() == '/')
            handle = dlopen(Name.c_str(), RTLD_NOW | RTLD_LOCAL);
    } else {
        // Never dlopen() a bare name: its search would take empty run-path entries as the
        // current directory.
        handle = OpenFirst(Name, SearchDirs);
        if (!handle)
            handle = OpenFirst(Name, SystemLibraryDirs());
    }
    if (!handle)
        return nullptr;
    return std::unique_ptr<TDynamicLibrary>(new TDynamicLibrary(handle));
}

TDynamicLibrary::~TDynamicLibrary() { dlclose(m_handle); }

void* TDynamicLibrary::ProcAddress(const char* Name) const
{
    return Name ? dlsym(m_handle, Name) : nullptr;
}
