// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "transition/dbtransitionview.h"

#include "../platform/graphics/metafilefixtures.h"
#include "platform/graphics/graphics.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using metafixture::TEmfWriter;
using metafixture::TWmfWriter;

QByteArray Saved(const TGraphic& graphic)
{
    std::ostringstream out;
    graphic.SaveToStream(out);
    return QByteArray::fromStdString(out.str());
}

std::unique_ptr<TBitmap> Solid(int32_t w, int32_t h, TColorRef colour)
{
    auto bitmap = std::make_unique<TBitmap>(w, h);
    bitmap->Bitmap().Fill(colour);
    return bitmap;
}

QByteArray Bmp(int32_t w, int32_t h, TColorRef colour) { return Saved(*Solid(w, h, colour)); }

QByteArray Jfif()
{
    TJPEGImage jpeg;
    jpeg.Assign(*Solid(8, 8, RGB(200, 100, 0)));
    return Saved(jpeg);
}

// The same JPEG behind an Exif segment, as cameras write them.
QByteArray Exif()
{
    const QByteArray jfif = Jfif();
    QByteArray exif("\xFF\xD8\xFF\xE1", 4);
    const QByteArray body("Exif\0\0MM\0*", 10);
    exif.append(char(0)).append(char(body.size() + 2)).append(body);
    return exif + jfif.mid(2);
}

QByteArray Encoded(const char* format)
{
    QImage image(6, 5, QImage::Format_ARGB32);
    image.fill(QColor(10, 200, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

// A 1 × 1 GIF whose only pixel is red (Qt reads GIF but does not write it).
QByteArray Gif()
{
    static const char bytes[] = { 'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, char(0x80), 0, 0,
        char(0xFF), 0, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3B };
    return QByteArray(bytes, sizeof bytes);
}

QByteArray FromBytes(const std::vector<uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray Emf()
{
    return FromBytes(TEmfWriter(12, 9).SolidBrush(1, 0xFF).Select(1).Rectangle(0, 0, 6, 6).Build());
}

QByteArray PlaceableWmf()
{
    return FromBytes(TWmfWriter()
                         .SolidBrush(0xFF00)
                         .Select(0)
                         .Rectangle(0, 0, 5, 5)
                         .Placeable(0, 0, 10, 10, 96));
}

// An album in an SQLite file: one picture BLOB per record, in id order. The view runs its
// transitions by hand (Manual), so that a started transition stays on until it is stopped.
class DBTransitionViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("album.db"));
        m_connection = QUuid::createUuid().toString();
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(m_path);
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral(
            "CREATE TABLE album (id INTEGER PRIMARY KEY, name TEXT, picture BLOB)")));
        m_view = std::make_unique<TDBTransitionView>();
        m_view->SetManual(true);
        m_view->resize(64, 48);
        m_view->SetDataField(QStringLiteral("picture"));
        m_view->OnStart
            = [this](QObject*, TGdiBitmap&, TGdiBitmap&) { m_events.push_back("start"); };
        m_view->OnStop = [this](QObject*) { m_events.push_back("stop"); };
        m_view->OnBeforeLoadPicture = [this](QObject*) { m_events.push_back("before load"); };
        m_view->OnAfterLoadPicture = [this](QObject*) { m_events.push_back("after load"); };
    }
    void TearDown() override
    {
        m_view.reset();
        m_source.reset();
        m_model.reset();
        QSqlDatabase::removeDatabase(m_connection);
    }

    // A record with this picture (nullopt: NULL).
    void Add(const std::optional<QByteArray>& picture)
    {
        QSqlQuery query(QSqlDatabase::database(m_connection));
        query.prepare(QStringLiteral("INSERT INTO album (name, picture) VALUES ('p', ?)"));
        query.addBindValue(
            picture ? QVariant(*picture) : QVariant(QMetaType::fromType<QByteArray>()));
        ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
    }
    // Opens the table and binds the view (which loads the first record's picture).
    void Open()
    {
        m_model = std::make_unique<QSqlTableModel>(nullptr, QSqlDatabase::database(m_connection));
        m_model->setTable(QStringLiteral("album"));
        m_model->setSort(0, Qt::AscendingOrder);
        m_source = std::make_unique<TDataSource>(m_model.get());
        m_view->SetDataSource(m_source.get());
    }
    std::vector<std::string> Take() { return std::exchange(m_events, {}); }
    TGraphicClass ShownClass() const
    {
        const TGraphic* graphic = m_view->Picture().Graphic();
        return graphic ? graphic->GraphicClass() : nullptr;
    }
    bool DisplayCleared() const { return m_view->ScreenBitmap().Empty() && !m_view->Busy(); }
    // The picture BLOB of a record, read from the file by a connection of its own.
    QByteArray StoredPicture(int id)
    {
        const QString name = QUuid::createUuid().toString();
        QByteArray bytes;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(m_path);
            EXPECT_TRUE(db.open());
            QSqlQuery query(db);
            query.prepare(QStringLiteral("SELECT picture FROM album WHERE id = ?"));
            query.addBindValue(id);
            EXPECT_TRUE(query.exec() && query.next());
            bytes = query.value(0).toByteArray();
        }
        QSqlDatabase::removeDatabase(name);
        return bytes;
    }

    QTemporaryDir m_dir;
    QString m_path;
    QString m_connection;
    std::unique_ptr<QSqlTableModel> m_model;
    std::unique_ptr<TDataSource> m_source;
    std::unique_ptr<TDBTransitionView> m_view;
    std::vector<std::string> m_events;
};

using TEvents = std::vector<std::string>;

TEST_F(DBTransitionViewTest, EachSignatureLoadsItsGraphicClass)
{
    const struct {
        const char* Name;
        QByteArray Data;
        TGraphicClass Class;
    } cases[] = {
        { "BM", Bmp(4, 3, RGB(1, 2, 3)), TBitmap::Class() },
        { "JFIF", Jfif(), TJPEGImage::Class() },
        { "Exif", Exif(), TJPEGImage::Class() },
        { "EMF", Emf(), TMetafile::Class() },
        { "placeable metafile", PlaceableWmf(), TMetafile::Class() },
        { "PNG", Encoded("png"), TPngImage::Class() },
        { "GIF", Gif(), TGIFImage::Class() },
    };
    for (const auto& c : cases)
        Add(c.Data);
    Open();
    for (const auto& c : cases) {
        TEvents expected { "before load", "after load", "start" };
        if (m_source->RecNo() > 0)
            expected.insert(expected.begin(), "stop"); // the previous record's transition
        EXPECT_EQ(Take(), expected) << c.Name;
        EXPECT_EQ(ShownClass(), c.Class) << c.Name;
        EXPECT_FALSE(m_view->Empty()) << c.Name;
        EXPECT_TRUE(m_view->Busy()) << c.Name << ": a transition to the picture";
        EXPECT_TRUE(m_view->PictureLoaded()) << c.Name;
        m_source->Next();
    }
}

TEST_F(DBTransitionViewTest, UnknownDataIsRefusedAndClearsTheDisplay)
{
    Add(Bmp(4, 3, RGB(1, 2, 3)));
    Add(QByteArray("B")); // too short for "BM"
    Open();
    ASSERT_TRUE(m_view->Busy());
    Take();
    try {
        m_source->Next();
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(std::string(e.what()), "Unknown picture format");
    }
    EXPECT_EQ(m_source->RecNo(), 1) << "the record did change";
    EXPECT_EQ(m_view->Picture().Graphic(), nullptr);
    EXPECT_TRUE(DisplayCleared());
    EXPECT_TRUE(m_view->PictureLoaded());
    EXPECT_EQ(Take(), TEvents({ "stop", "before load" }))
        << "no after-load event for a failed load";
}

TEST_F(DBTransitionViewTest, NullAndEmptyFieldsClearTheDisplay)
{
    Add(Bmp(4, 3, RGB(1, 2, 3)));
    Add(std::nullopt);
    Add(Bmp(4, 3, RGB(1, 2, 3)));
    Add(QByteArray("")); // empty, not null
    Open();
    Take();
    m_source->Next();
    EXPECT_TRUE(m_source->FieldByName(QStringLiteral("picture")).IsNull());
    EXPECT_EQ(Take(), TEvents({ "stop" })) << "a null field fires no load events";
    EXPECT_TRUE(DisplayCleared());
    m_source->Next();
    Take();
    m_source->Next();
    ASSERT_FALSE(m_source->FieldByName(QStringLiteral("picture")).IsNull());
    EXPECT_EQ(Take(), TEvents({ "stop", "before load", "after load" }));
    EXPECT_TRUE(DisplayCleared());
    EXPECT_EQ(m_view->Picture().Graphic(), nullptr);
}

TEST_F(DBTransitionViewTest, ARecordChangeStopsTheRunningTransitionAndStartsTheNext)
{
    Add(Bmp(4, 3, RGB(255, 0, 0)));
    Add(Bmp(4, 3, RGB(0, 0, 255)));
    Open();
    ASSERT_TRUE(m_view->Busy());
    Take();
    m_view->SetProgress(50);
    m_source->Next();
    EXPECT_EQ(Take(), TEvents({ "stop", "before load", "after load", "start" }));
    EXPECT_EQ(m_view->Progress(), 0);
    // The new transition ends on the new record's picture.
    m_view->SetProgress(100);
    EXPECT_EQ(m_view->ScreenBitmap().Pixel(1, 1) & 0xFFFFFF, PixelFromColorRef(RGB(0, 0, 255)));
}

TEST_F(DBTransitionViewTest, AutoDisplayOffLeavesTheDisplayEmptyUntilLoadPicture)
{
    Add(Bmp(4, 3, RGB(255, 0, 0)));
    Add(Bmp(5, 3, RGB(0, 255, 0)));
    Add(Bmp(6, 3, RGB(0, 0, 255)));
    Open();
    m_view->SetAutoDisplay(false);
    Take();
    m_source->Next();
    EXPECT_EQ(m_view->Picture().Graphic(), nullptr);
    EXPECT_TRUE(DisplayCleared()) << "the previous record's picture is not shown for this one";
    EXPECT_EQ(Take(), TEvents({ "stop" }));
    m_view->LoadPicture();
    EXPECT_EQ(m_view->Picture().Width(), 5);
    EXPECT_EQ(Take(), TEvents({ "before load", "after load", "start" }));
    m_view->LoadPicture();
    EXPECT_EQ(Take(), TEvents()) << "once per record";

    m_source->Next();
    Take();
    m_view->SetAutoDisplay(true);
    EXPECT_EQ(m_view->Picture().Width(), 6) << "switching it on loads at once";
    EXPECT_EQ(Take(), TEvents({ "before load", "after load", "start" }));
}

TEST_F(DBTransitionViewTest, EnteringEditModeDoesNotReload)
{
    Add(Bmp(4, 3, RGB(255, 0, 0)));
    Open();
    Take();
    m_source->Edit();
    EXPECT_TRUE(m_view->DataLink().Editing());
    EXPECT_EQ(Take(), TEvents());
    EXPECT_TRUE(m_view->Busy()) << "the transition goes on";
    m_source->Cancel();
    EXPECT_EQ(Take(), TEvents()) << "an unchanged picture is not reloaded either";
    EXPECT_EQ(m_view->Picture().Width(), 4);
}

TEST_F(DBTransitionViewTest, InsertingShowsAnEmptyDisplay)
{
    Add(Bmp(4, 3, RGB(255, 0, 0)));
    Open();
    Take();
    m_source->Insert();
    EXPECT_EQ(Take(), TEvents({ "stop" }));
    EXPECT_EQ(m_view->Picture().Graphic(), nullptr);
    EXPECT_TRUE(DisplayCleared());
    EXPECT_TRUE(m_view->PictureLoaded());
}

TEST_F(DBTransitionViewTest, APictureChangedDuringAnEditIsWrittenBackOnPost)
{
    Add(Bmp(4, 3, RGB(255, 0, 0)));
    Add(Bmp(4, 3, RGB(0, 255, 0)));
    Open();
    m_source->Edit();
    Take();
    m_view->Picture().SetGraphic(Solid(5, 4, RGB(0, 0, 255)));
    EXPECT_TRUE(m_view->PictureModified());
    EXPECT_TRUE(m_view->DataLink().IsModified());
    EXPECT_EQ(Take(), TEvents({ "stop", "start" })) << "the new picture is shown with a transition";
    m_source->Post();
    EXPECT_FALSE(m_view->PictureModified());
    EXPECT_EQ(Take(), TEvents()) << "the posted picture is not reloaded";

    // Away and back: the record's picture is the one posted, pixel for pixel.
    m_source->Next();
    m_source->First();
    ASSERT_EQ(ShownClass(), TBitmap::Class());
    const TBitmap& shown = static_cast<const TBitmap&>(*m_view->Picture().Graphic());
    ASSERT_EQ(shown.Width(), 5);
    ASSERT_EQ(shown.Height(), 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(shown.Bitmap().Pixel(x, y) & 0xFFFFFF, PixelFromColorRef(RGB(0, 0, 255)))
                << x << ", " << y;
    // And so it is in the file.
    TBitmap stored;
    const QByteArray bytes = StoredPicture(1);
    stored.LoadFromBytes(
        std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())));
    EXPECT_EQ(stored.Width(), 5);
    EXPECT_EQ(stored.Bitmap().Pixel(2, 2) & 0xFFFFFF, PixelFromColorRef(RGB(0, 0, 255)));
    EXPECT_EQ(StoredPicture(2), Bmp(4, 3, RGB(0, 255, 0))) << "the other record is untouched";
}

TEST_F(DBTransitionViewTest, AMetafileIsWrittenBackInItsOwnFormat)
{
    Add(Bmp(4, 3, RGB(255, 0, 0)));
    Open();
    m_source->Edit();
    auto metafile = std::make_unique<TMetafile>();
    const QByteArray emf = Emf();
    metafile->LoadFromBytes(
        std::span(reinterpret_cast<const uint8_t*>(emf.constData()), size_t(emf.size())));
    m_view->Picture().SetGraphic(std::move(metafile));
    m_source->Post();
    EXPECT_EQ(StoredPicture(1), emf);
}

TEST_F(DBTransitionViewTest, CancellingDropsTheChangedPicture)
{
    const QByteArray original = Bmp(4, 3, RGB(255, 0, 0));
    Add(original);
    Open();
    m_source->Edit();
    m_view->Picture().SetGraphic(Solid(7, 7, RGB(0, 0, 255)));
    Take();
    m_source->Cancel();
    EXPECT_EQ(Take(), TEvents({ "stop", "before load", "after load", "start" }))
        << "the record's own picture again";
    EXPECT_EQ(m_view->Picture().Width(), 4);
    EXPECT_EQ(StoredPicture(1), original);
}

TEST_F(DBTransitionViewTest, ReadOnlyNeverMarksTheRecord)
{
    const QByteArray original = Bmp(4, 3, RGB(255, 0, 0));
    Add(original);
    Open();
    m_view->SetReadOnly(true);
    m_source->Edit();
    EXPECT_FALSE(m_view->DataLink().Editing());
    Take();
    m_view->Picture().SetGraphic(Solid(7, 7, RGB(0, 0, 255)));
    EXPECT_FALSE(m_view->PictureModified());
    EXPECT_EQ(Take(), TEvents()) << "no transition for a change the record will not keep";
    m_source->Post();
    EXPECT_EQ(StoredPicture(1), original);
}

TEST_F(DBTransitionViewTest, OnGetGraphicClassCanChooseAnIcon)
{
    Add(Bmp(4, 3, RGB(255, 0, 0)));
    Add(Encoded("ico"));
    Add(Encoded("ico"));
    Open();
    EXPECT_THROW(m_source->Next(), EInvalidGraphic) << "an icon has no signature";
    TGraphicClass offered = TBitmap::Class();
    m_view->OnGetGraphicClass = [&](QObject* sender, TGraphicClass& graphicClass) {
        EXPECT_EQ(sender, m_view.get());
        offered = graphicClass;
        if (!graphicClass)
            graphicClass = TIcon::Class();
    };
    m_source->Next();
    EXPECT_EQ(offered, nullptr);
    EXPECT_EQ(ShownClass(), TIcon::Class());
    EXPECT_EQ(m_view->Picture().Width(), 6);
    EXPECT_TRUE(m_view->Busy());
    // It may also refuse what the signature found.
    m_view->OnGetGraphicClass
        = [](QObject*, TGraphicClass& graphicClass) { graphicClass = nullptr; };
    EXPECT_THROW(m_source->First(), EInvalidGraphic);
}

TEST_F(DBTransitionViewTest, TheViewLetsGoOfADataSourceThatGoesAway)
{
    Add(Bmp(4, 3, RGB(255, 0, 0)));
    Open();
    m_source.reset();
    EXPECT_EQ(m_view->DataSource(), nullptr);
    EXPECT_EQ(m_view->Field(), nullptr);
    m_view->LoadPicture(); // no field: nothing
}

TEST_F(DBTransitionViewTest, PropertiesAreReachableByName)
{
    Add(Bmp(4, 3, RGB(255, 0, 0)));
    Open();
    QObject& object = *m_view;
    EXPECT_EQ(object.property("DataField").toString(), QStringLiteral("picture"));
    EXPECT_EQ(object.property("DataSource").value<TDataSource*>(), m_source.get());
    EXPECT_TRUE(object.setProperty("ReadOnly", true));
    EXPECT_TRUE(m_view->ReadOnly());
    EXPECT_TRUE(object.setProperty("AutoDisplay", false));
    EXPECT_FALSE(m_view->AutoDisplay());
    EXPECT_TRUE(object.setProperty("Step", 7));
    EXPECT_EQ(m_view->Step(), 7);
    EXPECT_TRUE(object.setProperty("DataSource", QVariant::fromValue<TDataSource*>(nullptr)));
    EXPECT_EQ(m_view->Field(), nullptr);
}

} // namespace
