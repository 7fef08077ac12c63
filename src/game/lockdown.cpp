// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/lockdown.h"

#include "platform/system/dynamiclibrary.h"

namespace {

std::optional<std::vector<std::filesystem::path>> LibraryDirsOverride;

} // namespace

std::vector<std::filesystem::path> GameLibraryDirs()
{
    return LibraryDirsOverride ? *LibraryDirsOverride : ProgramLibraryDirs();
}

void SetGameLibraryDirs(std::optional<std::vector<std::filesystem::path>> Dirs)
{
    LibraryDirsOverride = std::move(Dirs);
}

TTaskKeysHook LoadTaskKeysHook(const std::vector<std::filesystem::path>& Dirs)
{
    TTaskKeysHook hook;
    hook.Library = TDynamicLibrary::Load(HookLibraryName, Dirs);
    if (hook.Library)
        hook.DisableTaskKeys = hook.Library->Procedure<TDisableTaskKeys>("_DisableTaskKeys");
    return hook;
}

TDisableTaskKeys KeepTaskKeysHook(const std::vector<std::filesystem::path>& Dirs)
{
    // Every library loaded here stays loaded; a later game window loads it again (the system
    // hands back the same library) and keeps the entry point it finds then.
    static auto* kept = new std::vector<std::unique_ptr<TDynamicLibrary>>;
    TTaskKeysHook hook = LoadTaskKeysHook(Dirs);
    if (hook.Library)
        kept->push_back(std::move(hook.Library));
    return hook.DisableTaskKeys;
}

bool VerifyScreenSavePassword(intptr_t Window, const std::vector<std::filesystem::path>& Dirs)
{
    const auto library = TDynamicLibrary::Load(PasswordLibraryName, Dirs);
    if (!library)
        return false;
    const auto verify = library->Procedure<TVerifyScreenSavePwd>("VerifyScreenSavePwd");
    return verify && verify(Window) != 0;
}
