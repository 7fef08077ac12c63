// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/passwordchange.h"

#include "platform/system/dynamiclibrary.h"

bool ChangeScreenSaverPassword(int32_t ParentWindow)
{
    return ChangeScreenSaverPassword(ParentWindow, ProgramLibraryDirs());
}

bool ChangeScreenSaverPassword(
    int32_t ParentWindow, const std::vector<std::filesystem::path>& SearchDirs)
{
    // Loaded for this one call and freed right after it.
    const auto library = TDynamicLibrary::Load("mpr.DLL", SearchDirs);
    if (!library)
        return false;
    const auto change = library->Procedure<TPwdChangePasswordA>("PwdChangePasswordA");
    if (!change)
        return false;
    change("SCRSAVE", ParentWindow, 0, 0);
    return true;
}
