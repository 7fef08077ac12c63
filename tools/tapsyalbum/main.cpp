// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// tapsy-album [FILE]: a picture album kept in an SQLite file (by default album.db in
// $XDG_DATA_HOME/tapsy/, made with a few pictures on first run), shown in the data-aware
// transition view. Moving between records plays a transition; in edit mode a picture can be
// loaded from a file or pasted, and Post writes it into the file (Cancel drops it).
#include "common/testpictures.h"
#include "platform/data/datasource.h"
#include "platform/graphics/bitmap.h"
#include "platform/system/exception.h"
#include "transition/dbtransitionview.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShortcut>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <cstdio>
#include <functional>
#include <sstream>

namespace {

const QString Table = QStringLiteral("album");

QString DefaultAlbumPath()
{
    // $XDG_DATA_HOME (or ~/.local/share) /tapsy/album.db
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/tapsy/album.db");
}

QByteArray Saved(const TGraphic& graphic)
{
    std::ostringstream out;
    graphic.SaveToStream(out);
    return QByteArray::fromStdString(out.str());
}

// An image (its transparent parts on white) as a bitmap graphic.
std::unique_ptr<TBitmap> BitmapFromImage(const QImage& source)
{
    QImage image(source.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).drawImage(0, 0, source);
    auto bitmap = std::make_unique<TBitmap>(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* from = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        uint32_t* to = bitmap->Bitmap().ScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            to[x] = from[x] & 0x00FFFFFF;
    }
    return bitmap;
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

// Opens (and on first use makes) the album file.
QSqlDatabase OpenAlbum(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(path);
    if (!db.open())
        throw Exception(
            "Cannot open " + path.toStdString() + ": " + db.lastError().text().toStdString());
    if (!db.tables().contains(Table)) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral(
                "CREATE TABLE album (id INTEGER PRIMARY KEY, name TEXT NOT NULL DEFAULT '', "
                "picture BLOB)")))
            throw Exception("Cannot make the album in " + path.toStdString() + ": "
                + query.lastError().text().toStdString());
        db.transaction();
        for (const auto& [name, bytes] : FirstPictures()) {
            query.prepare(QStringLiteral("INSERT INTO album (name, picture) VALUES (?, ?)"));
            query.addBindValue(name);
            query.addBindValue(bytes);
            query.exec();
        }
        db.commit();
    }
    return db;
}

class TAlbumWindow : public QWidget {
public:
    TAlbumWindow(QSqlDatabase db, const QString& path)
        : m_model(nullptr, db)
    {
        setWindowTitle(QStringLiteral("tapsy-album — %1").arg(path));
        m_model.setTable(Table);
        m_model.setSort(0, Qt::AscendingOrder);

        m_view = new TDBTransitionView(this);
        m_view->setMinimumSize(480, 360);
        m_view->SetColor(RGB(0, 0, 0));
        m_view->SetCenter(true);
        m_view->SetProportional(true);
        m_view->SetExactTiming(true);
        m_view->SetStep(3);
        m_view->SetDelay(30);
        m_view->SetDataField(QStringLiteral("picture"));
        // Every picture arrives with an effect of its own.
        m_view->OnBeforeLoadPicture = [this](QObject*) { RandomStyle(); };

        m_name = new QLineEdit;
        m_position = new QLabel;
        m_status = new QLabel;
        m_status->setWordWrap(true);

        auto* buttons = new QGridLayout;
        auto add = [&](const QString& text, const QKeySequence& key, int row, int column,
                       std::function<void()> action) {
            auto* button = new QPushButton(text);
            if (!key.isEmpty()) {
                button->setToolTip(key.toString(QKeySequence::NativeText));
                auto* shortcut = new QShortcut(key, this);
                connect(shortcut, &QShortcut::activated, button, &QPushButton::animateClick);
            }
            connect(button, &QPushButton::clicked, this, [this, action] { Guarded(action); });
            buttons->addWidget(button, row, column);
            return button;
        };
        m_first = add(QStringLiteral("First"), QKeySequence(Qt::Key_Home), 0, 0,
            [this] { m_source->First(); });
        m_prior = add(QStringLiteral("Prior"), QKeySequence(Qt::Key_PageUp), 0, 1,
            [this] { m_source->Prior(); });
        m_next = add(QStringLiteral("Next"), QKeySequence(Qt::Key_PageDown), 0, 2,
            [this] { m_source->Next(); });
        m_last = add(
            QStringLiteral("Last"), QKeySequence(Qt::Key_End), 0, 3, [this] { m_source->Last(); });
        m_edit = add(QStringLiteral("Edit"), QKeySequence(Qt::CTRL | Qt::Key_E), 1, 0,
            [this] { m_source->Edit(); });
        m_insert = add(QStringLiteral("Insert"), QKeySequence(Qt::CTRL | Qt::Key_N), 1, 1,
            [this] { m_source->Insert(); });
        m_delete = add(QStringLiteral("Delete"), QKeySequence(), 1, 2, [this] { DeleteRecord(); });
        m_load = add(QStringLiteral("Load picture…"), QKeySequence(Qt::CTRL | Qt::Key_O), 2, 0,
            [this] { LoadFile(); });
        m_paste = add(
            QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), 2, 1, [this] { Paste(); });
        m_post = add(QStringLiteral("Post"), QKeySequence(Qt::CTRL | Qt::Key_S), 2, 2,
            [this] { m_source->Post(); });
        m_cancel = add(QStringLiteral("Cancel"), QKeySequence(Qt::Key_Escape), 2, 3,
            [this] { m_source->Cancel(); });

        auto* side = new QVBoxLayout;
        side->addWidget(new QLabel(QStringLiteral("Name")));
        side->addWidget(m_name);
        side->addWidget(m_position);
        side->addLayout(buttons);
        side->addWidget(m_status);
        side->addStretch(1);
        auto* layout = new QHBoxLayout(this);
        layout->addWidget(m_view, 1);
        layout->addLayout(side);

        connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
            Guarded([&] {
                if (!m_source->Editing())
                    m_source->Edit();
                m_source->FieldByName(QStringLiteral("name")).SetValue(text);
            });
        });

        m_source = std::make_unique<TDataSource>();
        m_source->OnStateChange = [this](TDataSource*) { UpdateControls(); };
        m_source->OnDataChange = [this](TDataSource*) { UpdateControls(); };
        m_view->SetDataSource(m_source.get());
        Guarded([this] { m_source->SetModel(&m_model); });
        UpdateControls();
    }

    ~TAlbumWindow() override
    {
        // The view lets go first; the model outlives the data source that reads it.
        m_view->SetDataSource(nullptr);
        m_source.reset();
    }

private:
    void RandomStyle() { m_view->SetStyle(1 + int(QRandomGenerator::global()->bounded(172))); }

    // Runs an action; what goes wrong is shown in the status line instead of ending the program.
    void Guarded(const std::function<void()>& action)
    {
        m_status->clear();
        try {
            action();
        } catch (const std::exception& error) {
            m_status->setText(QString::fromUtf8(error.what()));
        }
        UpdateControls();
    }

    void BeginEdit()
    {
        if (!m_source->Editing())
            m_source->Edit();
        if (!m_view->DataLink().Editing())
            throw Exception("The picture cannot be changed here");
    }

    void DeleteRecord()
    {
        const QString name = m_source->FieldByName(QStringLiteral("name")).Value().toString();
        if (QMessageBox::question(this, QStringLiteral("Delete"),
                QStringLiteral("Delete the record \u201C%1\u201D and its picture from the album?")
                    .arg(name))
            == QMessageBox::Yes)
            m_source->Delete();
    }

    void LoadFile()
    {
        const QString file
            = QFileDialog::getOpenFileName(this, QStringLiteral("Load picture"), QString(),
                QStringLiteral(
                    "Pictures (*.bmp *.jpg *.jpeg *.png *.gif *.ico *.wmf *.emf);;All files (*)"));
        if (file.isEmpty())
            return;
        BeginEdit();
        // Read into a picture of its own first: a file that cannot be read changes nothing.
        TPicture picture;
        picture.LoadFromFile(file.toStdString());
        m_view->Picture().Assign(picture);
        if (m_name->text().isEmpty())
            m_source->FieldByName(QStringLiteral("name"))
                .SetValue(QFileInfo(file).completeBaseName());
    }

    void Paste()
    {
        const QImage image = QGuiApplication::clipboard()->image();
        if (image.isNull())
            throw Exception("The clipboard holds no picture");
        BeginEdit();
        m_view->Picture().SetGraphic(BitmapFromImage(image));
    }

    void UpdateControls()
    {
        if (!m_source)
            return;
        const bool active = m_source->Active();
        const bool editing = m_source->Editing();
        const int count = m_source->RecordCount();
        const int row = m_source->RecNo();
        TField* name = m_source->FindField(QStringLiteral("name"));
        const QString text = name ? name->Value().toString() : QString();
        if (m_name->text() != text)
            m_name->setText(text);
        m_name->setEnabled(active);
        if (m_source->State() == TDataSetState::dsInsert)
            m_position->setText(QStringLiteral("New record (of %1)").arg(count));
        else
            m_position->setText(count ? QStringLiteral("Record %1 of %2%3")
                                            .arg(row + 1)
                                            .arg(count)
                                            .arg(editing ? QStringLiteral(", editing") : QString())
                                      : QStringLiteral("The album is empty"));
        m_first->setEnabled(active && (editing || row > 0));
        m_prior->setEnabled(active && (editing || row > 0));
        m_next->setEnabled(active && (editing || row + 1 < count));
        m_last->setEnabled(active && (editing || row + 1 < count));
        m_edit->setEnabled(active && !editing);
        m_insert->setEnabled(active && !editing);
        m_delete->setEnabled(active && row >= 0 && !editing);
        m_load->setEnabled(active);
        m_paste->setEnabled(active);
        m_post->setEnabled(editing);
        m_cancel->setEnabled(editing);
    }

    QSqlTableModel m_model;
    std::unique_ptr<TDataSource> m_source;
    TDBTransitionView* m_view;
    QLineEdit* m_name;
    QLabel* m_position;
    QLabel* m_status;
    QPushButton* m_first;
    QPushButton* m_prior;
    QPushButton* m_next;
    QPushButton* m_last;
    QPushButton* m_edit;
    QPushButton* m_insert;
    QPushButton* m_delete;
    QPushButton* m_load;
    QPushButton* m_paste;
    QPushButton* m_post;
    QPushButton* m_cancel;
};

} // namespace

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
        QSqlDatabase db;
        try {
            db = OpenAlbum(path);
        } catch (const Exception& error) {
            std::fprintf(stderr, "tapsy-album: %s\n", error.what());
            return 1;
        }
        TAlbumWindow window(db, path);
        window.resize(1000, 560);
        window.show();
        result = app.exec();
    }
    QSqlDatabase::removeDatabase(QSqlDatabase::defaultConnection);
    return result;
}
