// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// tapsy-album: the files it is opened on, and its keys pressed where the focus starts, in the
// name field. ctest runs the keys once more on X11, where a line edit claims more of them.
#include "albumfile.h"
#include "albumwindow.h"

#include "platform/data/datasource.h"
#include "platform/system/exception.h"
#include "transition/dbtransitionview.h"

#include <QApplication>
#include <QClipboard>
#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Runs statements on a file through a connection of its own, closed again afterwards.
void Execute(const QString& path, const QStringList& statements)
{
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const QString& statement : statements)
            ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
    }
    QSqlDatabase::removeDatabase(connection);
}

int Count(const QSqlDatabase& db, const QString& table)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM %1").arg(table)) || !query.next())
        return -1;
    return query.value(0).toInt();
}

QByteArray Digest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// ---------------------------------------------------------------------------------------------
// The files the album is opened on

enum class TOutcome { Album, LeftAlone, Refused };

struct TFileCase {
    const char* Name;
    // What the file holds before the album opens it: statements run on a database, or, when
    // there are none, these bytes (nothing at all: no file).
    QStringList Statements;
    QByteArray Bytes;
    bool Answer; // to the question about adding the table
    bool Asked;
    TOutcome Outcome;
    int Pictures; // in the album table, when it opens
    const char* Message; // part of the refusal; %1 stands for the file's path
};

class AlbumFile : public ::testing::TestWithParam<TFileCase> {
protected:
    QTemporaryDir Dir;
    const QString Connection = QUuid::createUuid().toString();

    void TearDown() override { QSqlDatabase::removeDatabase(Connection); }
};

const QString Notes = QStringLiteral("CREATE TABLE notes (id INTEGER PRIMARY KEY, text TEXT)");
const QString Note = QStringLiteral("INSERT INTO notes (text) VALUES ('milk')");

TEST_P(AlbumFile, OpensOrSaysWhyNot)
{
    const TFileCase& c = GetParam();
    ASSERT_TRUE(Dir.isValid());
    const QString path = Dir.filePath(QStringLiteral("album.db"));
    if (!c.Statements.isEmpty())
        Execute(path, c.Statements);
    else if (!c.Bytes.isNull()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.Bytes);
    }
    const QByteArray before = Digest(path);

    QString question;
    int asked = 0;
    auto confirm = [&](const QString& text) {
        ++asked;
        question = text;
        return c.Answer;
    };
    std::optional<QSqlDatabase> db;
    std::string message;
    try {
        db = OpenAlbum(path, confirm, Connection);
    } catch (const Exception& error) {
        message = error.what();
    }

    EXPECT_EQ(asked, c.Asked ? 1 : 0);
    if (c.Asked) {
        EXPECT_TRUE(question.contains(path)) << question.toStdString();
        EXPECT_TRUE(question.contains(QStringLiteral("notes"))) << question.toStdString();
    }
    switch (c.Outcome) {
    case TOutcome::Album:
        ASSERT_TRUE(db) << message;
        EXPECT_EQ(Count(*db, AlbumTable), c.Pictures);
        if (c.Asked) {
            EXPECT_EQ(Count(*db, QStringLiteral("notes")), 1) << "the other table is kept";
        }
        break;
    case TOutcome::LeftAlone:
        EXPECT_FALSE(db);
        EXPECT_EQ(message, "");
        EXPECT_EQ(Digest(path), before) << "the file was changed";
        break;
    case TOutcome::Refused:
        EXPECT_FALSE(db);
        EXPECT_NE(message.find(QString::fromUtf8(c.Message).replace("%1", path).toStdString()),
            std::string::npos)
            << message;
        EXPECT_EQ(Digest(path), before) << "the file was changed";
        break;
    }
}

const QString Album = QStringLiteral(
    "CREATE TABLE album (id INTEGER PRIMARY KEY, name TEXT NOT NULL DEFAULT '', picture BLOB)");

INSTANTIATE_TEST_SUITE_P(Album, AlbumFile,
    ::testing::Values(TFileCase { "NewFile", {}, {}, false, false, TOutcome::Album, 3, "" },
        TFileCase { "EmptyFile", {}, QByteArray(""), false, false, TOutcome::Album, 3, "" },
        // An album of its own, with one record left: opened as it is, nothing added.
        TFileCase { "OwnAlbum", { Album, "INSERT INTO album (name) VALUES ('x')" }, {}, false,
            false, TOutcome::Album, 1, "" },
        TFileCase { "UpperCaseName",
            { "CREATE TABLE Album (id INTEGER PRIMARY KEY, Name TEXT, Picture BLOB)" }, {}, false,
            false, TOutcome::Album, 0, "" },
        TFileCase {
            "OtherTablesDeclined", { Notes, Note }, {}, false, true, TOutcome::LeftAlone, 0, "" },
        // Agreed: the table, but none of the album's first pictures.
        TFileCase { "OtherTablesAgreed", { Notes, Note }, {}, true, true, TOutcome::Album, 0, "" },
        TFileCase { "NoPictureColumn", { "CREATE TABLE album (id INTEGER PRIMARY KEY, name TEXT)" },
            {}, true, false, TOutcome::Refused, 0,
            "The table \u201Calbum\u201D in %1 is not an album: it has no column "
            "\u201Cpicture\u201D (its columns: id INTEGER, name TEXT)" },
        TFileCase { "PictureAsText", { "CREATE TABLE album (name TEXT, picture TEXT)" }, {}, true,
            false, TOutcome::Refused, 0,
            "its column \u201Cpicture\u201D is declared TEXT, but pictures need BLOB" },
        TFileCase { "NoNameColumn", { "CREATE TABLE album (title TEXT, picture BLOB)" }, {}, true,
            false, TOutcome::Refused, 0,
            "it has no column \u201Cname\u201D (its columns: title TEXT, picture BLOB)" },
        TFileCase { "NotADatabase", {}, QByteArray("Dear diary, today I learnt to type.\n"), true,
            false, TOutcome::Refused, 0, "Cannot open %1: file is not a database" }),
    [](const auto& info) { return std::string(info.param.Name); });

// ---------------------------------------------------------------------------------------------
// The keys, pressed in the name field

class AlbumKeys : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    const QString Connection = QUuid::createUuid().toString();
    std::optional<QSqlDatabase> Db;
    std::unique_ptr<TAlbumWindow> Window;

    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Db = OpenAlbum(Dir.filePath(QStringLiteral("album.db")), nullptr, Connection);
        ASSERT_TRUE(Db);
        Window = std::make_unique<TAlbumWindow>(*Db, Dir.path());
        Window->show();
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        Name().setFocus();
        ASSERT_EQ(QApplication::focusWidget(), &Name());
        ASSERT_EQ(Source().RecordCount(), 3);
    }

    void TearDown() override
    {
        Window.reset();
        Db.reset();
        QSqlDatabase::removeDatabase(Connection);
    }

    TDataSource& Source() const { return Window->DataSource(); }
    QLineEdit& Name() const { return Window->NameEdit(); }

    // A key pressed where the focus is, which must still be the name field.
    void Press(QKeyCombination key)
    {
        ASSERT_EQ(QApplication::focusWidget(), &Name()) << "the focus left the name field";
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }

    QString StoredName(int row) const
    {
        QSqlQuery query(*Db);
        query.exec(QStringLiteral("SELECT name FROM album ORDER BY id"));
        for (int i = 0; i <= row; ++i) {
            if (!query.next())
                return QStringLiteral("(no row %1)").arg(row);
        }
        return query.value(0).toString();
    }
};

TEST_F(AlbumKeys, MoveBetweenRecordsWhileBrowsing)
{
    const struct {
        QKeyCombination Key;
        int Row;
    } steps[] = { { Qt::Key_End, 2 }, { Qt::Key_Home, 0 }, { Qt::Key_PageDown, 1 },
        { Qt::Key_PageDown, 2 }, { Qt::Key_PageUp, 1 } };
    for (const auto& step : steps) {
        Press(step.Key);
        EXPECT_EQ(Source().RecNo(), step.Row) << QKeySequence(step.Key).toString().toStdString();
        EXPECT_EQ(Source().State(), TDataSetState::dsBrowse);
    }
}

TEST_F(AlbumKeys, EditPostAndCancel)
{
    Press(Qt::CTRL | Qt::Key_E);
    ASSERT_EQ(Source().State(), TDataSetState::dsEdit);
    QTest::keyClicks(&Name(), QStringLiteral("!"));
    EXPECT_EQ(Name().text(), QStringLiteral("Checkerboard!"));
    Press(Qt::Key_Escape);
    EXPECT_EQ(Source().State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Name().text(), QStringLiteral("Checkerboard"));

    Press(Qt::CTRL | Qt::Key_E);
    QTest::keyClicks(&Name(), QStringLiteral("s"));
    Press(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(Source().State(), TDataSetState::dsBrowse);
    EXPECT_EQ(StoredName(0), QStringLiteral("Checkerboards"));

    Press(Qt::CTRL | Qt::Key_N);
    EXPECT_EQ(Source().State(), TDataSetState::dsInsert);
    EXPECT_EQ(Name().text(), QString());
    Press(Qt::Key_Escape);
    EXPECT_EQ(Source().State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Source().RecordCount(), 3);
}

// While the record is edited, Home and End are the field's; the other keys stay the album's.
TEST_F(AlbumKeys, HomeAndEndMoveTheCursorWhileEditing)
{
    Press(Qt::Key_PageDown);
    Press(Qt::CTRL | Qt::Key_E);
    ASSERT_EQ(Source().State(), TDataSetState::dsEdit);
    Press(Qt::Key_Home);
    EXPECT_EQ(Name().cursorPosition(), 0);
    Press(Qt::Key_End);
    EXPECT_EQ(Name().cursorPosition(), Name().text().size());
    EXPECT_EQ(Source().RecNo(), 1);
    EXPECT_EQ(Source().State(), TDataSetState::dsEdit);
    // Page Down still moves on, posting the record.
    Press(Qt::Key_PageDown);
    EXPECT_EQ(Source().RecNo(), 2);
    EXPECT_EQ(Source().State(), TDataSetState::dsBrowse);
}

TEST_F(AlbumKeys, PasteTakesAPictureAndLeavesTextToTheField)
{
    QImage image(24, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(image);
    Press(Qt::CTRL | Qt::Key_V);
    EXPECT_EQ(Source().State(), TDataSetState::dsEdit);
    EXPECT_EQ(Window->View().Picture().Width(), 24);
    EXPECT_EQ(Window->View().Picture().Height(), 16);
    EXPECT_EQ(Name().text(), QStringLiteral("Checkerboard"));
    Press(Qt::Key_Escape);

    // Text only: pasted into the name, which starts editing the record.
    QGuiApplication::clipboard()->setText(QStringLiteral("Board"));
    Name().selectAll();
    Press(Qt::CTRL | Qt::Key_V);
    EXPECT_EQ(Name().text(), QStringLiteral("Board"));
    EXPECT_EQ(Source().State(), TDataSetState::dsEdit);
    Press(Qt::Key_Escape);

    QGuiApplication::clipboard()->clear();
    Press(Qt::CTRL | Qt::Key_V);
    EXPECT_EQ(Window->Status(), QStringLiteral("The clipboard holds no picture"));
    EXPECT_EQ(Source().State(), TDataSetState::dsBrowse);
}

TEST_F(AlbumKeys, LoadPicture)
{
    const QString file = Dir.filePath(QStringLiteral("kite.bmp"));
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(file, "BMP"));
    int asked = 0;
    Window->OnChoosePictureFile = [&](QWidget*) {
        ++asked;
        return file;
    };
    Press(Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Source().State(), TDataSetState::dsEdit);
    EXPECT_EQ(Window->View().Picture().Width(), 30);
    Press(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(Source().State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Window->Status(), QString());
}

} // namespace
