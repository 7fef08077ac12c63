// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The transition view bound to a picture in a BLOB field of a data source: each time the
// current record changes it loads the field's picture and plays a transition to it; a picture
// changed while the record is edited marks the record modified and is written back, in the
// graphic's own format, when the record is posted.
#pragma once

#include "platform/data/datasource.h"
#include "platform/data/fielddatalink.h"
#include "transition/transitionview.h"

#include <iosfwd>

class TDBTransitionView : public TCustomTransitionView {
    Q_OBJECT
    Q_PROPERTY(bool AutoDisplay READ AutoDisplay WRITE SetAutoDisplay)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
public:
    // Lets the application choose the graphic class for a field's data (or none).
    using TGetGraphicClassEvent = std::function<void(QObject* Sender, TGraphicClass& GraphicClass)>;

    explicit TDBTransitionView(QWidget* AOwner = nullptr);
    ~TDBTransitionView() override;

    TNotifyEvent OnAfterLoadPicture;
    TNotifyEvent OnBeforeLoadPicture;
    TGetGraphicClassEvent OnGetGraphicClass;

    bool AutoDisplay() const { return m_autoDisplay; }
    void SetAutoDisplay(bool Value);
    QString DataField() const { return m_dataLink->FieldName(); }
    void SetDataField(const QString& Value) { m_dataLink->SetFieldName(Value); }
    TDataSource* DataSource() const { return m_dataLink->DataSource(); }
    void SetDataSource(TDataSource* Value);
    bool ReadOnly() const { return m_dataLink->ReadOnly(); }
    void SetReadOnly(bool Value) { m_dataLink->SetReadOnly(Value); }
    TField* Field() const { return m_dataLink->Field(); }
    // The link to the field, for whoever asks the control for it.
    TFieldDataLink& DataLink() const { return *m_dataLink; }

    // Loads the field's picture and shows it with a transition (or clears the display), once
    // per record. "Unknown picture format" and the graphic's own errors go on to the caller.
    void LoadPicture();
    // The class whose signature the data at the stream's current position starts with; the
    // position is kept. OnGetGraphicClass may replace the answer.
    virtual TGraphicClass FindGraphicClass(std::istream& Stream);
    // Puts the stream's picture into Picture; no class: Picture emptied and EInvalidGraphic.
    virtual void LoadPictureFromStream(std::istream& Stream, TGraphicClass GraphicClass);

    bool PictureLoaded() const { return m_pictureLoaded; }
    bool PictureModified() const { return m_pictureModified; }

protected:
    void DoChange() override;

private:
    void DataChange();
    void EditingChange();
    void UpdateData();
    void Notification(QObject* Component);

    std::unique_ptr<TFieldDataLink> m_dataLink;
    bool m_autoDisplay = true;
    bool m_pictureModified = false;
    bool m_pictureLoaded = false;
    bool m_skipDataChange = false;
    QMetaObject::Connection m_dataSourceGone;
};
