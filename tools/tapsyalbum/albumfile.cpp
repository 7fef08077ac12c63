// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "albumfile.h"

#include "common/testpictures.h"
#include "platform/graphics/bitmap.h"
#include "platform/system/exception.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QStringList>

#include <sstream>
#include <utility>
#include <vector>

const QString AlbumTable = QStringLiteral("album");

namespace {

const QString NameColumn = QStringLiteral("name");
const QString PictureColumn = QStringLiteral("picture");

QByteArray Saved(const TGraphic& graphic)
{
    std::ostringstream out;
    graphic.SaveToStream(out);
    return QByteArray::fromStdString(out.str());
}

// The first pictures of a new album: the tools' two test patterns and a drawn sun.
std::vector<std::pair<QString, QByteArray>> FirstPictures()
{
    std::vector<std::pair<QString, QByteArray>> pictures;
    for (int which : { 0, 1 }) {
        TBitmap bitmap(640, 480);
        DrawTestPicture(bitmap.Bitmap(), which);
        pictures.emplace_back(
            which == 0 ? QStringLiteral("Checkerboard") : QStringLiteral("Rings"), Saved(bitmap));
    }
    QImage sun(480, 480, QImage::Format_RGB32);
    sun.fill(QColor(90, 170, 240));
    {
        QPainter painter(&sun);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(255, 200, 0), 14, Qt::SolidLine, Qt::RoundCap));
        for (int ray = 0; ray < 12; ++ray) {
            painter.save();
            painter.translate(240, 240);
            painter.rotate(ray * 30);
            painter.drawLine(0, 120, 0, 200);
            painter.restore();
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 220, 0));
        painter.drawEllipse(QPoint(240, 240), 100, 100);
    }
    pictures.emplace_back(QStringLiteral("Sun"), Saved(*BitmapFromImage(sun)));
    return pictures;
}

[[noreturn]] void Fail(QSqlDatabase& db, const QString& message)
{
    // Let go of the file before the caller hears of it.
    db.close();
    throw Exception(message.toStdString());
}

// The database's own words ("file is not a database"), without Qt's "Unable to execute statement".
QString Reason(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

QString Quoted(const QString& text) { return QStringLiteral("\u201C%1\u201D").arg(text); }

QString FindTable(const QSqlDatabase& db, const QString& name)
{
    // SQLite's names ignore case: "Album" is the album's table too.
    for (const QString& table : db.tables()) {
        if (table.compare(name, Qt::CaseInsensitive) == 0)
            return table;
    }
    return QString();
}

// What keeps an existing album table from serving as one; empty when nothing does. The view
// shows only a column that Qt reads as bytes, that is one declared BLOB.
QString ShapeProblem(const QSqlDatabase& db, const QString& table)
{
    QStringList columns;
    QString pictureType;
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
    while (query.next()) {
        const QString column = query.value(1).toString();
        const QString type = query.value(2).toString();
        columns << (type.isEmpty() ? column : column + u' ' + type);
        if (column.compare(PictureColumn, Qt::CaseInsensitive) == 0)
            pictureType = type.isEmpty() ? QStringLiteral("no type") : type;
    }
    const QSqlRecord record = db.record(table);
    QStringList problems;
    if (!record.contains(NameColumn))
        problems << QStringLiteral("it has no column %1").arg(Quoted(NameColumn));
    if (!record.contains(PictureColumn))
        problems << QStringLiteral("it has no column %1").arg(Quoted(PictureColumn));
    else if (record.field(PictureColumn).metaType().id() != QMetaType::QByteArray)
        problems << QStringLiteral("its column %1 is declared %2, but pictures need BLOB")
                        .arg(Quoted(PictureColumn), pictureType);
    if (problems.isEmpty())
        return QString();
    return problems.join(QStringLiteral(" and "))
        + QStringLiteral(" (its columns: %1)").arg(columns.join(QStringLiteral(", ")));
}

void MakeTable(QSqlDatabase& db, const QString& path, bool withPictures)
{
    auto fail = [&](const QSqlQuery& query) {
        db.rollback();
        Fail(db,
            QStringLiteral("Cannot make the album in %1: %2").arg(path, Reason(query.lastError())));
    };
    db.transaction();
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral(
            "CREATE TABLE album (id INTEGER PRIMARY KEY, name TEXT NOT NULL DEFAULT '', "
            "picture BLOB)")))
        fail(query);
    if (withPictures) {
        for (const auto& [name, bytes] : FirstPictures()) {
            query.prepare(QStringLiteral("INSERT INTO album (name, picture) VALUES (?, ?)"));
            query.addBindValue(name);
            query.addBindValue(bytes);
            if (!query.exec())
                fail(query);
        }
    }
    if (!db.commit())
        Fail(db,
            QStringLiteral("Cannot make the album in %1: %2").arg(path, Reason(db.lastError())));
}

} // namespace

QString DefaultAlbumPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/tapsy/album.db");
}

std::optional<QSqlDatabase> OpenAlbum(
    const QString& Path, const TConfirmEvent& Confirm, const QString& Connection)
{
    QDir().mkpath(QFileInfo(Path).absolutePath());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
    db.setDatabaseName(Path);
    if (!db.open())
        Fail(db, QStringLiteral("Cannot open %1: %2").arg(Path, Reason(db.lastError())));
    // SQLite opens any file and finds out only at the first read that it is no database.
    {
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
            Fail(db, QStringLiteral("Cannot open %1: %2").arg(Path, Reason(probe.lastError())));
    }
    const QString table = FindTable(db, AlbumTable);
    if (!table.isEmpty()) {
        const QString problem = ShapeProblem(db, table);
        if (!problem.isEmpty())
            Fail(db,
                QStringLiteral("The table %1 in %2 is not an album: %3")
                    .arg(Quoted(table), Path, problem));
        return db;
    }
    const QStringList others = db.tables();
    if (others.isEmpty()) {
        MakeTable(db, Path, true);
        return db;
    }
    // Another program's database: its owner decides, and it gets no pictures of ours.
    const QString question
        = QStringLiteral("%1 is a database with tables of its own (%2) and no album.\n\n"
                         "Add an empty table %3 to it for the album?")
              .arg(Path, others.join(QStringLiteral(", ")), Quoted(AlbumTable));
    if (!Confirm || !Confirm(question)) {
        db.close();
        return std::nullopt;
    }
    MakeTable(db, Path, false);
    return db;
}

std::unique_ptr<TBitmap> BitmapFromImage(const QImage& Source)
{
    QImage image(Source.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).drawImage(0, 0, Source);
    auto bitmap = std::make_unique<TBitmap>(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* from = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        uint32_t* to = bitmap->Bitmap().ScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            to[x] = from[x] & 0x00FFFFFF;
    }
    return bitmap;
}
