// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "transition/dbtransitionview.h"

#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphicformat.h"
#include "platform/graphics/icon.h"
#include "platform/graphics/metafile.h"
#include "platform/system/exception.h"

#include <sstream>

TDBTransitionView::TDBTransitionView(QWidget* AOwner)
    : TCustomTransitionView(AOwner)
    , m_dataLink(std::make_unique<TFieldDataLink>(this))
{
    m_dataLink->OnDataChange = [this] { DataChange(); };
    m_dataLink->OnEditingChange = [this] { EditingChange(); };
    m_dataLink->OnUpdateData = [this] { UpdateData(); };
}

TDBTransitionView::~TDBTransitionView()
{
    disconnect(m_dataSourceGone);
    m_dataLink.reset();
}

void TDBTransitionView::SetDataSource(TDataSource* Value)
{
    if (Value == DataSource())
        return;
    disconnect(m_dataSourceGone);
    m_dataLink->SetDataSource(Value);
    // The data source lets go of its links when it is freed; this only forgets the connection.
    if (Value)
        m_dataSourceGone = connect(
            Value, &QObject::destroyed, this, [this](QObject* gone) { Notification(gone); });
}

void TDBTransitionView::Notification(QObject* Component)
{
    if (m_dataLink && Component == DataSource())
        m_dataLink->SetDataSource(nullptr);
    m_dataSourceGone = {};
}

void TDBTransitionView::SetAutoDisplay(bool Value)
{
    if (Value == m_autoDisplay)
        return;
    m_autoDisplay = Value;
    if (m_autoDisplay && !m_dataLink->Editing())
        LoadPicture();
}

void TDBTransitionView::LoadPicture()
{
    TField* field = m_dataLink->Field();
    if (m_pictureLoaded || !field || !field->IsBlob())
        return;
    if (Busy())
        Stop();
    // Afterwards, whatever happened: the record counts as loaded and the display shows what
    // Picture holds. A failure then goes on to the caller.
    auto show = [this] {
        m_pictureLoaded = true;
        if (Empty())
            Clear();
        else
            Execute();
    };
    try {
        if (!field->IsNull()) {
            if (OnBeforeLoadPicture)
                OnBeforeLoadPicture(this);
            const QByteArray bytes = field->AsBytes();
            if (!bytes.isEmpty()) {
                std::istringstream stream(std::string(bytes.constData(), size_t(bytes.size())));
                LoadPictureFromStream(stream, FindGraphicClass(stream));
            }
            if (OnAfterLoadPicture)
                OnAfterLoadPicture(this);
        }
    } catch (...) {
        show();
        throw;
    }
    show();
}

TGraphicClass TDBTransitionView::FindGraphicClass(std::istream& Stream)
{
    TGraphicClass graphicClass = ::FindGraphicClass(Stream);
    if (OnGetGraphicClass)
        OnGetGraphicClass(this, graphicClass);
    return graphicClass;
}

void TDBTransitionView::LoadPictureFromStream(std::istream& Stream, TGraphicClass GraphicClass)
{
    if (!GraphicClass) {
        Picture().SetGraphic(std::unique_ptr<TGraphic>());
        throw EInvalidGraphic("Unknown picture format");
    }
    if (GraphicClass == TBitmap::Class())
        Picture().Bitmap().LoadFromStream(Stream);
    else if (GraphicClass == TMetafile::Class())
        Picture().Metafile().LoadFromStream(Stream);
    else if (GraphicClass == TIcon::Class())
        Picture().Icon().LoadFromStream(Stream);
    else {
        std::unique_ptr<TGraphic> graphic = GraphicClass->Create();
        graphic->LoadFromStream(Stream);
        Picture().SetGraphic(std::move(graphic));
    }
}

void TDBTransitionView::DataChange()
{
    if (!m_skipDataChange) {
        m_pictureLoaded = false;
        m_pictureModified = false;
        Picture().SetGraphic(std::unique_ptr<TGraphic>());
        if (m_autoDisplay) {
            LoadPicture();
        } else {
            // The frame on show belongs to the record that was current: it goes too.
            if (Busy())
                Stop();
            Clear();
        }
    }
    m_skipDataChange = false;
}

void TDBTransitionView::EditingChange()
{
    if (m_dataLink->Editing()) {
        // Entering edit mode leaves the picture alone; a new record's empty one is loaded.
        const TDataSource* source = DataSource();
        m_skipDataChange = !(source && source->State() == TDataSetState::dsInsert);
    } else {
        // Leaving it reloads only a picture the user changed (a cancelled change goes away).
        m_skipDataChange = !m_pictureModified;
    }
}

void TDBTransitionView::UpdateData()
{
    m_pictureModified = false;
    TField* field = m_dataLink->Field();
    if (!field)
        return;
    field->Clear();
    const TGraphic* graphic = Picture().Graphic();
    if (graphic && !graphic->Empty() && field->IsBlob()) {
        std::ostringstream stream;
        graphic->SaveToStream(stream);
        const std::string bytes = stream.str();
        field->SetBytes(QByteArray(bytes.data(), qsizetype(bytes.size())));
    }
}

void TDBTransitionView::DoChange()
{
    TCustomTransitionView::DoChange();
    if (!m_pictureLoaded || !m_dataLink || !m_dataLink->Editing())
        return;
    m_dataLink->Modified();
    m_pictureModified = true;
    if (Busy())
        Stop();
    if (Empty())
        Clear();
    else
        Execute();
}
