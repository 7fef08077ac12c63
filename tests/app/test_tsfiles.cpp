// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The translation sources are complete: every text has a finished translation that keeps the
// source's placeholders (a lost "%1" would drop the file name or the command from the message).
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

QSet<QString> Placeholders(const QString& Text)
{
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    QSet<QString> found;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(Text))
        found.insert(match.captured());
    return found;
}

// The text of the element the reader stands on; lupdate writes a carriage return as <byte/>.
QString ElementText(QXmlStreamReader& Reader)
{
    QString text;
    while (Reader.readNext() != QXmlStreamReader::EndDocument && !Reader.hasError()) {
        if (Reader.isCharacters())
            text += Reader.text();
        else if (Reader.isStartElement() && Reader.name() == u"byte")
            text += QChar(
                Reader.attributes().value(QLatin1String("value")).mid(1).toUShort(nullptr, 16));
        else if (Reader.isEndElement() && Reader.name() != u"byte")
            break;
    }
    return text;
}

// What is wrong with the translation source at Path, one line per fault.
std::vector<std::string> TsFaults(const QString& Path)
{
    std::vector<std::string> faults;
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly))
        return { "cannot be read" };
    QXmlStreamReader reader(&file);
    QString context;
    QString source;
    int messages = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == u"name") {
            context = reader.readElementText();
        } else if (reader.name() == u"source") {
            source = ElementText(reader);
        } else if (reader.name() == u"translation") {
            ++messages;
            const QString type = reader.attributes().value(QLatin1String("type")).toString();
            const QString translation = ElementText(reader);
            const std::string where = (context + u' ' + source.left(40)).toStdString();
            if (!type.isEmpty())
                faults.push_back(where + ": " + type.toStdString());
            else if (translation.trimmed().isEmpty())
                faults.push_back(where + ": empty");
            else if (Placeholders(translation) != Placeholders(source))
                faults.push_back(where + ": placeholders differ");
        }
    }
    if (reader.hasError())
        faults.push_back("not a translation source: " + reader.errorString().toStdString());
    else if (messages == 0)
        faults.push_back("has no texts");
    return faults;
}

std::string Joined(const std::vector<std::string>& Lines)
{
    std::string text;
    for (const std::string& line : Lines)
        text += "\n  " + line;
    return text;
}

TEST(TranslationSources, EveryTextIsTranslated)
{
    const QStringList files = QStringLiteral(TAPSY_TS_FILES).split(u',');
    ASSERT_GE(files.size(), 10);
    for (const QString& file : files) {
        const std::vector<std::string> faults = TsFaults(file);
        EXPECT_TRUE(faults.empty()) << file.toStdString() << ":" << Joined(faults);
    }
}

// The check itself finds each kind of fault in a small file that has them all.
TEST(TranslationSources, FaultsAreFound)
{
    const std::vector<std::string> expected {
        "Ctx unfinished text: unfinished",
        "Ctx empty text: empty",
        "Ctx Nothing was stored: %1.: placeholders differ",
        "Ctx Line one\r\nLine %2: placeholders differ",
        "Ctx old text: vanished",
    };
    EXPECT_EQ(Joined(TsFaults(QStringLiteral(TAPSY_TEST_DATA "/faults.ts"))), Joined(expected));
    EXPECT_EQ(Joined(TsFaults(QStringLiteral(TAPSY_TEST_DATA "/missing.ts"))),
        Joined({ "cannot be read" }));
}

} // namespace
