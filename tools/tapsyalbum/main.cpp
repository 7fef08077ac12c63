// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// tapsy-album [FILE]: a picture album kept in an SQLite file (by default album.db in
// $XDG_DATA_HOME/tapsy/, made with a few pictures on first run), shown in the data-aware
// transition view. Moving between records plays a transition; in edit mode a picture can be
// loaded from a file or pasted, and Post writes it into the file (Cancel drops it).
#include "albumfile.h"
#include "albumwindow.h"

#include "platform/system/exception.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 2 || (args.size() == 2 && args[1].startsWith(QLatin1Char('-')))) {
        std::fprintf(stderr,
            "usage: tapsy-album [FILE]\n  FILE: the album's SQLite file (default %s)\n",
            qPrintable(DefaultAlbumPath()));
        return 2;
    }
    const QString path = args.size() == 2 ? args[1] : DefaultAlbumPath();
    int result = 0;
    {
        std::optional<QSqlDatabase> db;
        try {
            db = OpenAlbum(path, [](const QString& question) {
                return QMessageBox::question(nullptr, QStringLiteral("tapsy-album"), question)
                    == QMessageBox::Yes;
            });
        } catch (const Exception& error) {
            std::fprintf(stderr, "tapsy-album: %s\n", error.what());
            QMessageBox::critical(
                nullptr, QStringLiteral("tapsy-album"), QString::fromUtf8(error.what()));
            return 1;
        }
        if (!db) {
            std::fprintf(
                stderr, "tapsy-album: %s left as it was, without an album\n", qPrintable(path));
            return 1;
        }
        TAlbumWindow window(*db, path);
        window.resize(1000, 560);
        window.show();
        result = app.exec();
    }
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
    return result;
}
