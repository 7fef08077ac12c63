// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/contextmenufilter.h"

#include "platform/system/debuglog.h"

#include <QCoreApplication>
#include <QEvent>

TContextMenuFilter::TContextMenuFilter(QWidget* Window)
    : QObject(Window)
    , m_window(Window)
{
    Q_ASSERT(Window);
    QCoreApplication::instance()->installEventFilter(this);
}

bool TContextMenuFilter::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() != QEvent::ContextMenu || !Watched->isWidgetType() || !m_window)
        return false;
    if (static_cast<QWidget*>(Watched)->window() != m_window)
        return false;
    DebugLog("WM_CONTEXTMENU captured...");
    Event->accept();
    return true;
}
