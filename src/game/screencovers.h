// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// While the game runs, every screen but the game's own is covered by a black, borderless,
// topmost window that takes no focus and that no window manager handles, so a click on another monitor reaches nothing there.
// Screens that come or go while the game runs are covered or uncovered as they do.
#pragma once

#include <QObject>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <vector>

class TScreenCovers : public QObject {
public:
    explicit TScreenCovers(QObject* Parent = nullptr);
    ~TScreenCovers() override;

    // Covers every screen but the primary one, from now until Hide.
    void Show();
    void Hide();
    // Puts covers back over the screens they were made for, whole and on top, if the window
    // manager moved them (to another monitor, say).
    void Keep();

    // The cover windows, one per covered screen.
    std::vector<QWidget*> Covers() const;

private:
    void Update();

    struct TCover {
        QPointer<QWidget> Widget;
        QPointer<QScreen> Screen; // the one it covers, whatever the window manager made of it
    };
    bool m_shown = false;
    std::vector<TCover> m_covers;
};
