// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The program's own texts follow the desktop's language: the translator that the program start
// installs, seen in the note on the game window, the About window and the --help text.
#include "about/formabout.h"
#include "app/commandline.h"
#include "app/translation.h"
#include "game/formmain.h"
#include "platform/system/productidentity.h"
#include "platform/widgets/label.h"

#include <QApplication>
#include <QStringList>
#include <QTranslator>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

// The four variables of the desktop's language, set for one test and put back after it.
class DesktopLanguage {
public:
    DesktopLanguage(
        const char* Language, const char* LcAll, const char* LcMessages, const char* Lang)
    {
        Set("LANGUAGE", Language);
        Set("LC_ALL", LcAll);
        Set("LC_MESSAGES", LcMessages);
        Set("LANG", Lang);
    }
    ~DesktopLanguage()
    {
        for (const auto& [name, value] : m_saved)
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }

private:
    void Set(const char* Name, const char* Value)
    {
        m_saved.emplace_back(Name, qgetenv(Name));
        Value ? qputenv(Name, Value) : qunsetenv(Name);
    }
    std::vector<std::pair<const char*, QByteArray>> m_saved;
};

// What a user sees of the program's texts once the program start has installed its translator.
// (In UTF-8, so that a failure prints them readably.)
struct TShownTexts {
    std::string Language;
    std::string NoteFirstLine;
    std::string Note;
    std::string AboutTitle;
    std::string AboutClose;
    std::string UsageFirstLine;
};

TShownTexts ShowTexts()
{
    QTranslator translator;
    TShownTexts shown;
    shown.Language = InstallDesktopTranslation(translator);
    {
        TfrmMain game;
        const auto* note = game.findChild<TLabel*>(QStringLiteral("Label1"));
        EXPECT_NE(note, nullptr);
        if (note) {
            shown.Note = note->Caption().toStdString();
            shown.NoteFirstLine
                = note->Caption().section(QStringLiteral("\r\n"), 0, 0).toStdString();
        }
    }
    TfrmAbout about;
    shown.AboutTitle = about.windowTitle().toStdString();
    if (const auto* close = about.findChild<QWidget*>(QStringLiteral("btnClose")))
        shown.AboutClose = close->property("text").toString().toStdString();
    shown.UsageFirstLine = UsageText().section(u'\n', 0, 0).toStdString();
    QCoreApplication::removeTranslator(&translator);
    return shown;
}

class Translation : public testing::Test {
protected:
    void SetUp() override
    {
        InitProductIdentity();
        QApplication::setQuitOnLastWindowClosed(false);
    }
};

TEST_F(Translation, TextsAreInTheDesktopsLanguage)
{
    const struct {
        const char* Language;
        const char* Note;
        const char* About;
        const char* Close;
        const char* Usage;
    } cases[] = {
        { "de", "Hinweis:", "Über", "Schließen",
            "Aufruf: tapsy [/s | /c | /p <Fenster> | /a <Fenster>]" },
        { "fr", "Remarque\u00A0:", "À propos", "Fermer",
            "Utilisation\u00A0: tapsy [/s | /c | /p <fenêtre> | /a <fenêtre>]" },
        { "ru", "Внимание:", "О программе", "Закрыть",
            "Использование: tapsy [/s | /c | /p <окно> | /a <окно>]" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Language);
        const DesktopLanguage desktop(c.Language, nullptr, nullptr, nullptr);
        const TShownTexts shown = ShowTexts();
        EXPECT_EQ(shown.Language, c.Language);
        EXPECT_EQ(shown.NoteFirstLine, c.Note);
        EXPECT_EQ(shown.AboutTitle, c.About);
        EXPECT_EQ(shown.AboutClose, c.Close);
        EXPECT_EQ(shown.UsageFirstLine, c.Usage);
    }
}

TEST_F(Translation, TextsStayEnglishWithoutALanguageOfTheProgram)
{
    const struct {
        const char* Why;
        const char *Language, *LcAll, *LcMessages, *Lang;
    } cases[] = {
        { "nothing set", nullptr, nullptr, nullptr, nullptr },
        { "the C locale", "C", "C", nullptr, "C" },
        { "POSIX and an empty LANGUAGE", "", nullptr, "POSIX", nullptr },
        { "English before German", "en_GB:de", nullptr, nullptr, "de_DE.UTF-8" },
        { "a language the program does not have", "ja", nullptr, nullptr, "ja_JP.UTF-8" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Why);
        const DesktopLanguage desktop(c.Language, c.LcAll, c.LcMessages, c.Lang);
        const TShownTexts shown = ShowTexts();
        EXPECT_EQ(shown.Language, "");
        EXPECT_EQ(shown.Note, TfrmMain::Label1Caption);
        EXPECT_EQ(shown.AboutTitle, "About");
        EXPECT_EQ(shown.AboutClose, "Close");
        EXPECT_EQ(shown.UsageFirstLine, "Usage: tapsy [/s | /c | /p <window> | /a <window>]");
    }
}

// The same order as the content's: LANGUAGE (a list), LC_ALL, LC_MESSAGES, LANG; a country
// falls back to its language.
TEST_F(Translation, TheFirstLanguageTheProgramHasIsTaken)
{
    const struct {
        const char *Language, *LcAll, *LcMessages, *Lang;
        const char* Expected;
    } cases[] = {
        { "ja:sv:de", nullptr, nullptr, "de_DE.UTF-8", "sv" },
        { nullptr, "pl_PL.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8", "pl" },
        { nullptr, nullptr, "tr_TR.UTF-8", "de_DE.UTF-8", "tr" },
        { nullptr, nullptr, nullptr, "pt_BR.UTF-8", "pt" },
        { "C", nullptr, nullptr, "nl_BE.UTF-8@euro", "nl" },
    };
    for (const auto& c : cases) {
        const DesktopLanguage desktop(c.Language, c.LcAll, c.LcMessages, c.Lang);
        QTranslator translator;
        EXPECT_EQ(InstallDesktopTranslation(translator), c.Expected)
            << (c.Language ? c.Language : "-") << " " << (c.LcAll ? c.LcAll : "-") << " "
            << (c.LcMessages ? c.LcMessages : "-") << " " << (c.Lang ? c.Lang : "-");
        QCoreApplication::removeTranslator(&translator);
    }
}

// Every language the build lists is built into the program and says the window's title in it.
TEST_F(Translation, EveryListedLanguageIsBuiltIn)
{
    const QStringList languages = QStringLiteral(TAPSY_TRANSLATION_LANGUAGES).split(u',');
    ASSERT_GE(languages.size(), 10);
    for (const QString& language : languages) {
        QTranslator translator;
        EXPECT_EQ(LoadTranslation(translator, { language.toStdString() }), language.toStdString());
        const QString about = translator.translate("TfrmAbout", "About");
        EXPECT_FALSE(about.isEmpty()) << language.toStdString();
        EXPECT_NE(about, QStringLiteral("About")) << language.toStdString();
    }
}

} // namespace
