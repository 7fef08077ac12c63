// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/screencovers.h"

#include "platform/system/debuglog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace {

QWidget* MakeCover(QScreen* Screen)
{
    // Past the window manager (X11's override-redirect, as screen lockers do): no window
    // manager can move it to another monitor, make it full screen where it likes, or activate
    // it; where there is no such thing (Wayland) the hint does nothing.
    auto* cover = new QWidget(nullptr,
        Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
            | Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint);
    cover->setObjectName(QStringLiteral("screenCover"));
    cover->setAttribute(Qt::WA_DeleteOnClose, false);
    cover->setContextMenuPolicy(Qt::PreventContextMenu);
    cover->setFocusPolicy(Qt::NoFocus);
    cover->setAutoFillBackground(true);
    QPalette colours = cover->palette();
    colours.setColor(QPalette::Window, Qt::black);
    cover->setPalette(colours);
    cover->setWindowTitle(QStringLiteral("Tapsy"));
    cover->winId();
    cover->windowHandle()->setScreen(Screen);
    cover->setGeometry(Screen->geometry());
    return cover;
}

bool IsCovering(const QWidget* Cover, const QScreen* Screen)
{
    return Cover->isVisible() && Cover->geometry() == Screen->geometry();
}

} // namespace

TScreenCovers::TScreenCovers(QObject* Parent)
    : QObject(Parent)
{
    auto* app = qGuiApp;
    connect(app, &QGuiApplication::screenAdded, this, [this] { Update(); });
    connect(app, &QGuiApplication::screenRemoved, this, [this] { Update(); });
    connect(app, &QGuiApplication::primaryScreenChanged, this, [this] { Update(); });
}

TScreenCovers::~TScreenCovers() { Hide(); }

void TScreenCovers::Show()
{
    m_shown = true;
    Update();
}

void TScreenCovers::Hide()
{
    m_shown = false;
    Update();
}

void TScreenCovers::Update()
{
    for (const TCover& cover : m_covers)
        delete cover.Widget.data();
    m_covers.clear();
    if (!m_shown)
        return;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen == primary)
            continue;
        QWidget* cover = MakeCover(screen);
        m_covers.push_back({ cover, screen });
        cover->show();
    }
}

void TScreenCovers::Keep()
{
    for (const TCover& entry : m_covers) {
        QWidget* cover = entry.Widget;
        QScreen* screen = entry.Screen;
        if (!cover || !screen)
            continue;
        if (!IsCovering(cover, screen)) {
            DebugLog("A screen cover is put back over its screen.");
            if (cover->windowHandle())
                cover->windowHandle()->setScreen(screen);
            cover->setGeometry(screen->geometry());
            cover->show();
        }
        cover->raise();
    }
}

std::vector<QWidget*> TScreenCovers::Covers() const
{
    std::vector<QWidget*> covers;
    for (const TCover& cover : m_covers)
        if (cover.Widget)
            covers.push_back(cover.Widget.data());
    return covers;
}
