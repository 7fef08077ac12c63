// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// What a data source tells the links connected to it. A link connects itself with
// TDataSource::AddLink and leaves with RemoveLink; the data source knows links only through this.
#pragma once

class TField;

class TDataLink {
public:
    // The record changed, or only the field `Changed` of it (nullptr: the whole record).
    virtual void RecordChanged(TField* Changed) = 0;
    // The data source went into or out of edit or insert mode.
    virtual void StateChanged() = 0;
    // The data source is about to write the record: the link writes its changes first.
    virtual void UpdateRecord() = 0;
    // The data source is about to free its fields: the link lets go of the one it holds.
    virtual void FieldsReleased() = 0;
    // The data source has made its fields anew (a record event follows).
    virtual void FieldsRebuilt() = 0;
    // The data source is being destroyed and has already let go of the link.
    virtual void DataSourceGone() = 0;

protected:
    // Links are never destroyed through this interface.
    ~TDataLink() = default;
};
