// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The album's SQLite file: opened, checked, and given the album table only where that is safe.
#pragma once

#include <QImage>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class TBitmap;

// The table the album keeps its records in: an id, a name and a picture (BLOB).
extern const QString AlbumTable;

// $XDG_DATA_HOME (or ~/.local/share) /tapsy/album.db
QString DefaultAlbumPath();

// Asked (with the question's text) before the album adds its table to a database that already
// holds other tables; answers whether to go ahead.
using TConfirmEvent = std::function<bool(const QString& Question)>;

// Opens the album file on the connection Connection. A new file, or one without any table,
// becomes an album with a few pictures. A database of tables of its own gets an empty album
// table only when Confirm agrees; otherwise nothing is written and the answer is empty.
// Exception when the file is no database ("Cannot open …"), when the table cannot be made
// ("Cannot make …") or when an album table is there but lacks the columns the album needs.
std::optional<QSqlDatabase> OpenAlbum(const QString& Path, const TConfirmEvent& Confirm,
    const QString& Connection = QLatin1String(QSqlDatabase::defaultConnection));

// An image (its transparent parts on white) as a bitmap graphic.
std::unique_ptr<TBitmap> BitmapFromImage(const QImage& Source);
