// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Which content set the game reads: the system directory holds one set per language in a
// folder named after it ("de", "en", "pt_BR"), and the game takes the desktop's language.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct TLocaleVariables {
    const char* Language = nullptr; // LANGUAGE: a list of languages separated by ':'
    const char* LcAll = nullptr;
    const char* LcMessages = nullptr;
    const char* Lang = nullptr;
};

// The process's LANGUAGE, LC_ALL, LC_MESSAGES and LANG.
TLocaleVariables DesktopLocale();

// The folder names to try, best first: from LANGUAGE, LC_ALL, LC_MESSAGES and LANG in that
// order, each as language_COUNTRY and then as language alone ("de_AT.UTF-8" gives "de_AT",
// "de"), without "C" and "POSIX", and "en" last.
std::vector<std::string> ContentLanguages(const TLocaleVariables& Locale);

// The set for the first of Languages that Base holds (a folder with a TapsyV.ini). A TapsyV.ini
// directly in Base is someone's own content and wins over every set; with neither, Base.
std::filesystem::path ChooseContentDirectory(
    const std::filesystem::path& Base, const std::vector<std::string>& Languages);

// $TAPSY_SYSTEM_DIR as it is when set; otherwise the set of the desktop's language in the
// program's system directory.
std::filesystem::path ContentDirectory();
