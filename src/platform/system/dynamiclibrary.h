// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Libraries that may be missing are loaded by name at the moment of use and their entry points
// looked up by name. A missing library or entry point is not an error: the caller takes its
// "nothing there" path.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Where the program's own libraries lie: its executable's folder, its private folder
// <exe dir>/../lib/tapsy, then <exe dir>/../lib.
std::vector<std::filesystem::path> ProgramLibraryDirs();

class TDynamicLibrary {
public:
    // Loads Name from the first of SearchDirs that holds it, else from the folders of the
    // system's library search (LD_LIBRARY_PATH, the run path, the standard folders; not the
    // linker cache). The current directory is never searched, so a name with a folder in it is
    // taken only as an absolute path. nullptr when not found or not loadable.
    static std::unique_ptr<TDynamicLibrary> Load(const std::string& Name,
        const std::vector<std::filesystem::path>& SearchDirs = ProgramLibraryDirs());

    ~TDynamicLibrary();
    TDynamicLibrary(const TDynamicLibrary&) = delete;
    TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

    // The address of the exported symbol Name, or nullptr.
    void* ProcAddress(const char* Name) const;

    template <class Proc> Proc Procedure(const char* Name) const
    {
        return reinterpret_cast<Proc>(ProcAddress(Name));
    }

private:
    explicit TDynamicLibrary(void* Handle)
        : m_handle(Handle)
    {
    }

    void* m_handle;
};
