// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "app/translation.h"

#include "game/contentdirectory.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>

QString TranslationResource(const std::string& Language)
{
    return QStringLiteral(":/i18n/tapsy_%1.qm").arg(QString::fromStdString(Language));
}

std::string LoadTranslation(QTranslator& Translator, const std::vector<std::string>& Languages)
{
    for (const std::string& language : Languages) {
        if (language == "en" || language.starts_with("en_"))
            break;
        // Looked up exactly: QTranslator::load would also try shorter names of its own.
        const QString resource = TranslationResource(language);
        if (QFile::exists(resource) && Translator.load(resource))
            return language;
    }
    return {};
}

std::string InstallDesktopTranslation(QTranslator& Translator)
{
    Q_ASSERT(QCoreApplication::instance());
    const std::string language = LoadTranslation(Translator, ContentLanguages(DesktopLocale()));
    if (!language.empty())
        QCoreApplication::installTranslator(&Translator);
    return language;
}
