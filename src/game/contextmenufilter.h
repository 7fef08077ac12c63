// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Keeps every context menu of one window from opening: a small child must not get a menu with
// "Close" in it. Installed on the application, so it sees the request before any widget of the
// window can act on it, whichever widget is under the mouse (or has the focus, for the menu key).
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class TContextMenuFilter : public QObject {
public:
    // Starts filtering for Window's widgets at once; stops when Window goes (it owns the filter).
    explicit TContextMenuFilter(QWidget* Window);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QPointer<QWidget> m_window;
};
