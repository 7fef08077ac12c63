// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/screencovers.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace {

QWidget* MakeCover(QScreen* Screen)
{
    auto* cover = new QWidget(nullptr,
        Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
            | Qt::WindowDoesNotAcceptFocus);
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
    return Cover->isVisible() && Cover->geometry() == Screen->geometry()
        && (Cover->windowState() & Qt::WindowFullScreen);
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
    for (const QPointer<QWidget>& cover : m_covers)
        delete cover.data();
    m_covers.clear();
    if (!m_shown)
        return;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen == primary)
            continue;
        QWidget* cover = MakeCover(screen);
        m_covers.emplace_back(cover);
        cover->showFullScreen();
    }
}

void TScreenCovers::Keep()
{
    for (const QPointer<QWidget>& cover : m_covers) {
        if (!cover)
            continue;
        QScreen* screen = cover->windowHandle() ? cover->windowHandle()->screen() : nullptr;
        if (!screen)
            continue;
        if (!IsCovering(cover, screen)) {
            cover->setGeometry(screen->geometry());
            cover->showFullScreen();
        }
        cover->raise();
    }
}

std::vector<QWidget*> TScreenCovers::Covers() const
{
    std::vector<QWidget*> covers;
    for (const QPointer<QWidget>& cover : m_covers)
        if (cover)
            covers.push_back(cover.data());
    return covers;
}
