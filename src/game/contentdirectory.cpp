// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/contentdirectory.h"

#include "game/keycontent.h"
#include "platform/system/systemdirectory.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace {

void AddLanguage(std::vector<std::string>& Languages, std::string_view Locale)
{
    // "ll_CC.encoding@modifier": the encoding and the modifier do not choose the words.
    Locale = Locale.substr(0, Locale.find_first_of(".@"));
    if (Locale.empty() || Locale == "C" || Locale == "POSIX")
        return;
    const auto add = [&Languages](std::string_view Name) {
        if (std::find(Languages.begin(), Languages.end(), Name) == Languages.end())
            Languages.emplace_back(Name);
    };
    add(Locale);
    if (const size_t country = Locale.find('_'); country != std::string_view::npos)
        add(Locale.substr(0, country));
}

} // namespace

TLocaleVariables DesktopLocale()
{
    return { std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
        std::getenv("LANG") };
}

std::vector<std::string> ContentLanguages(const TLocaleVariables& Locale)
{
    std::vector<std::string> languages;
    if (Locale.Language) {
        std::string_view list = Locale.Language;
        while (!list.empty()) {
            const size_t colon = list.find(':');
            AddLanguage(languages, list.substr(0, colon));
            list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        }
    }
    for (const char* variable : { Locale.LcAll, Locale.LcMessages, Locale.Lang })
        if (variable)
            AddLanguage(languages, variable);
    AddLanguage(languages, "en");
    return languages;
}

std::filesystem::path ChooseContentDirectory(
    const std::filesystem::path& Base, const std::vector<std::string>& Languages)
{
    std::error_code error;
    if (std::filesystem::exists(KeyContentFilePath(Base), error))
        return Base;
    for (const std::string& language : Languages) {
        const std::filesystem::path set = Base / language;
        if (std::filesystem::exists(KeyContentFilePath(set), error))
            return set;
    }
    return Base;
}

std::filesystem::path ContentDirectory()
{
    const char* configured = std::getenv("TAPSY_SYSTEM_DIR");
    if (configured && *configured)
        return SystemDirectory();
    return ChooseContentDirectory(SystemDirectory(), ContentLanguages(DesktopLocale()));
}
