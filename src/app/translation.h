// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The program's own texts in the desktop's language. English is the source language; the others
// are built into the program as resources (":/i18n/tapsy_LL.qm"), so that the build tree, an
// installed program and a copy of it somewhere else all speak the same without a search path.
#pragma once

#include <QString>
#include <string>
#include <vector>

class QTranslator;

// The resource that holds Language's texts.
QString TranslationResource(const std::string& Language);

// Loads into Translator the texts of the first of Languages (best first, as ContentLanguages
// lists them) that the program has. English ends the search: "en:de" stays English. Returns the
// language loaded, empty when the texts stay English.
std::string LoadTranslation(QTranslator& Translator, const std::vector<std::string>& Languages);

// The desktop's language, chosen as the content is (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), loaded
// into Translator and installed on the application object, which must exist. Returns the
// language, empty for English.
std::string InstallDesktopTranslation(QTranslator& Translator);
