// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/data/datasource.h"
#include "platform/data/fielddatalink.h"

#include "platform/system/exception.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QUuid>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// An in-memory SQLite table of three records (id, name NOT NULL, picture BLOB).
class DataSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_connection = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
            db.setDatabaseName(QStringLiteral(":memory:"));
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            ASSERT_TRUE(query.exec(QStringLiteral(
                "CREATE TABLE items (id INTEGER PRIMARY KEY, name TEXT NOT NULL, picture BLOB)")));
            for (const char* name : { "one", "two", "three" }) {
                query.prepare(QStringLiteral("INSERT INTO items (name, picture) VALUES (?, ?)"));
                query.addBindValue(QString::fromLatin1(name));
                query.addBindValue(QByteArray(name).toUpper());
                ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
            }
        }
        m_model = std::make_unique<QSqlTableModel>(nullptr, QSqlDatabase::database(m_connection));
        m_model->setTable(QStringLiteral("items"));
        m_model->setSort(0, Qt::AscendingOrder);
        m_source = std::make_unique<TDataSource>(m_model.get());
    }
    // The link to the picture field of the current record.
    void LinkToPicture(TFieldDataLink& Link)
    {
        Link.SetFieldName(QStringLiteral("picture"));
        Link.SetDataSource(m_source.get());
    }
    void TearDown() override
    {
        m_source.reset();
        m_model.reset();
        QSqlDatabase::removeDatabase(m_connection);
    }

    QString Name() const
    {
        return m_source->FieldByName(QStringLiteral("name")).Value().toString();
    }

    QString m_connection;
    std::unique_ptr<QSqlTableModel> m_model;
    std::unique_ptr<TDataSource> m_source;
};

// What a link tells its control, in order.
struct TLinkLog {
    std::vector<std::string> Events;
    void Attach(TFieldDataLink& link)
    {
        link.OnDataChange = [this] { Events.push_back("data"); };
        link.OnEditingChange
            = [this, &link] { Events.push_back(link.Editing() ? "editing" : "browsing"); };
        link.OnUpdateData = [this] { Events.push_back("update"); };
    }
    std::vector<std::string> Take() { return std::exchange(Events, {}); }
};

using TEvents = std::vector<std::string>;

TEST_F(DataSourceTest, OpensOnTheFirstRecordWithItsFields)
{
    EXPECT_EQ(m_source->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(m_source->RecordCount(), 3);
    EXPECT_EQ(m_source->RecNo(), 0);
    EXPECT_EQ(Name(), QStringLiteral("one"));
    EXPECT_TRUE(m_source->FieldByName(QStringLiteral("PICTURE")).IsBlob())
        << "names regardless of case";
    EXPECT_FALSE(m_source->FieldByName(QStringLiteral("name")).IsBlob());
    EXPECT_EQ(m_source->FieldByName(QStringLiteral("picture")).AsBytes(), QByteArray("ONE"));
    EXPECT_EQ(m_source->FindField(QStringLiteral("nothing")), nullptr);
    EXPECT_THROW(m_source->FieldByName(QStringLiteral("nothing")), Exception);
}

TEST_F(DataSourceTest, NavigationTellsTheLinksOnlyWhenTheRecordChanges)
{
    TFieldDataLink link;
    TLinkLog log;
    log.Attach(link);
    link.SetFieldName(QStringLiteral("picture"));
    link.SetDataSource(m_source.get());
    EXPECT_EQ(log.Take(), TEvents({ "data", "data" })) << "the field name, then the data source";
    ASSERT_NE(link.Field(), nullptr);
    EXPECT_TRUE(link.IsBlobField());

    m_source->Next();
    EXPECT_EQ(log.Take(), TEvents({ "data" }));
    EXPECT_EQ(Name(), QStringLiteral("two"));
    m_source->Last();
    m_source->Next();
    EXPECT_EQ(log.Take(), TEvents({ "data" })) << "Next on the last record stays there, silently";
    EXPECT_EQ(m_source->RecNo(), 2);
    m_source->First();
    m_source->Prior();
    EXPECT_EQ(log.Take(), TEvents({ "data" }));
    m_source->MoveTo(99);
    EXPECT_EQ(m_source->RecNo(), 2) << "clamped to the last record";
}

TEST_F(DataSourceTest, EditingPostingAndCancelling)
{
    TFieldDataLink link;
    TLinkLog log;
    LinkToPicture(link);
    log.Attach(link);

    m_source->Edit();
    EXPECT_EQ(m_source->State(), TDataSetState::dsEdit);
    EXPECT_TRUE(link.Editing());
    EXPECT_EQ(log.Take(), TEvents({ "editing" })) << "entering edit mode reloads nothing";

    m_source->FieldByName(QStringLiteral("name")).SetValue(QStringLiteral("uno"));
    EXPECT_EQ(log.Take(), TEvents()) << "another field changed";
    EXPECT_EQ(Name(), QStringLiteral("uno"));
    m_source->Cancel();
    EXPECT_EQ(log.Take(), TEvents({ "browsing", "data" }));
    EXPECT_EQ(Name(), QStringLiteral("one")) << "the change is dropped";

    // The control's change is written at Post through update data, and only when marked.
    link.OnUpdateData = [&] {
        log.Events.push_back("update");
        link.Field()->SetBytes("NEW");
    };
    EXPECT_TRUE(link.Edit());
    link.Modified();
    m_source->Post();
    EXPECT_EQ(log.Take(), TEvents({ "editing", "update", "browsing", "data" }))
        << "the link's own write is no data change for it";
    EXPECT_FALSE(link.IsModified());
    EXPECT_EQ(m_source->FieldByName(QStringLiteral("picture")).AsBytes(), QByteArray("NEW"));

    m_source->Edit();
    m_source->Post();
    EXPECT_EQ(log.Take(), TEvents({ "editing", "browsing", "data" }))
        << "nothing marked, nothing written";

    // Written to the table: a fresh model reads it.
    QSqlTableModel fresh(nullptr, QSqlDatabase::database(m_connection));
    fresh.setTable(QStringLiteral("items"));
    fresh.setSort(0, Qt::AscendingOrder);
    ASSERT_TRUE(fresh.select());
    EXPECT_EQ(fresh.record(0).value(QStringLiteral("picture")).toByteArray(), QByteArray("NEW"));
}

TEST_F(DataSourceTest, AFieldChangeFromElsewhereIsADataChangeForItsLinks)
{
    TFieldDataLink link;
    TLinkLog log;
    LinkToPicture(link);
    log.Attach(link);
    m_source->Edit();
    link.Modified();
    m_source->FieldByName(QStringLiteral("picture")).Clear();
    EXPECT_EQ(log.Take(), TEvents({ "editing", "data" }));
    EXPECT_FALSE(link.IsModified()) << "the field's new value replaces the control's";
    EXPECT_TRUE(m_source->FieldByName(QStringLiteral("picture")).IsNull());
}

TEST_F(DataSourceTest, InsertingStartsAnEmptyRecordThatPostMakesCurrent)
{
    TFieldDataLink link;
    TLinkLog log;
    LinkToPicture(link);
    m_source->Next();
    log.Attach(link);

    m_source->Insert();
    EXPECT_EQ(log.Take(), TEvents({ "editing", "data" }));
    EXPECT_EQ(m_source->State(), TDataSetState::dsInsert);
    EXPECT_EQ(m_source->RecNo(), -1);
    EXPECT_TRUE(link.Field()->IsNull());
    m_source->Cancel();
    EXPECT_EQ(m_source->RecNo(), 1) << "back where it was";
    EXPECT_EQ(m_source->RecordCount(), 3);

    m_source->Insert();
    m_source->FieldByName(QStringLiteral("name")).SetValue(QStringLiteral("four"));
    m_source->Post();
    EXPECT_EQ(m_source->RecordCount(), 4);
    EXPECT_EQ(Name(), QStringLiteral("four")) << "the new record is current";
    EXPECT_EQ(m_source->FieldByName(QStringLiteral("id")).Value().toInt(), 4)
        << "numbered by the table";
}

TEST_F(DataSourceTest, AFailedPostKeepsTheRecordInEditMode)
{
    m_source->Insert();
    m_source->FieldByName(QStringLiteral("picture")).SetBytes("X");
    EXPECT_THROW(m_source->Post(), Exception) << "name is NOT NULL";
    EXPECT_EQ(m_source->State(), TDataSetState::dsInsert);
    EXPECT_EQ(m_source->FieldByName(QStringLiteral("picture")).AsBytes(), QByteArray("X"))
        << "nothing lost";
    m_source->FieldByName(QStringLiteral("name")).SetValue(QStringLiteral("named"));
    m_source->Post();
    EXPECT_EQ(m_source->RecordCount(), 4);
}

TEST_F(DataSourceTest, NavigatingWhileEditingPostsFirst)
{
    m_source->Edit();
    m_source->FieldByName(QStringLiteral("name")).SetValue(QStringLiteral("uno"));
    m_source->Next();
    EXPECT_EQ(m_source->State(), TDataSetState::dsBrowse);
    m_source->First();
    EXPECT_EQ(Name(), QStringLiteral("uno"));
}

TEST_F(DataSourceTest, WritingOutsideEditModeIsRefused)
{
    EXPECT_THROW(
        m_source->FieldByName(QStringLiteral("name")).SetValue(QStringLiteral("x")), Exception);
    EXPECT_EQ(Name(), QStringLiteral("one"));
}

TEST_F(DataSourceTest, AReadOnlyLinkNeverEdits)
{
    TFieldDataLink link;
    TLinkLog log;
    LinkToPicture(link);
    link.SetReadOnly(true);
    log.Attach(link);
    EXPECT_FALSE(link.Edit());
    EXPECT_EQ(m_source->State(), TDataSetState::dsBrowse)
        << "a read-only link does not start an edit";
    m_source->Edit();
    EXPECT_FALSE(link.Editing());
    EXPECT_EQ(log.Take(), TEvents());
    link.SetReadOnly(false);
    EXPECT_EQ(log.Take(), TEvents({ "editing" }));
    link.SetReadOnly(true);
    EXPECT_EQ(log.Take(), TEvents({ "browsing" }));
}

TEST_F(DataSourceTest, DeletingMovesToTheNextRecord)
{
    m_source->Next();
    m_source->Delete();
    EXPECT_EQ(m_source->RecordCount(), 2);
    EXPECT_EQ(Name(), QStringLiteral("three"));
    m_source->Delete();
    EXPECT_EQ(Name(), QStringLiteral("one")) << "the last one gone, the one before is current";
    m_source->Delete();
    EXPECT_EQ(m_source->RecNo(), -1);
    EXPECT_TRUE(m_source->FieldByName(QStringLiteral("name")).IsNull());
    m_source->Edit();
    EXPECT_EQ(m_source->State(), TDataSetState::dsInsert) << "editing an empty table inserts";
}

TEST_F(DataSourceTest, ADataSourceThatGoesAwayLetsGoOfItsLinks)
{
    TFieldDataLink link;
    TLinkLog log;
    LinkToPicture(link);
    m_source->Edit();
    log.Attach(link);
    m_source.reset();
    EXPECT_EQ(link.DataSource(), nullptr);
    EXPECT_EQ(link.Field(), nullptr);
    EXPECT_FALSE(link.Editing());
    EXPECT_EQ(log.Take(), TEvents({ "browsing", "data" }));
}

TEST_F(DataSourceTest, ALinkThatGoesAwayIsForgotten)
{
    auto link = std::make_unique<TFieldDataLink>();
    int changes = 0;
    link->OnDataChange = [&] { ++changes; };
    link->SetDataSource(m_source.get());
    link.reset();
    m_source->Next();
    m_source->Edit();
    m_source->Cancel();
    EXPECT_EQ(changes, 1) << "only the attachment was told";
}

} // namespace
