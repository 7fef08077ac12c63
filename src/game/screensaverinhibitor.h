// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Holds the desktop's own screen saver and idle lock off while the game runs, through the
// session bus service org.freedesktop.ScreenSaver (its Inhibit and UnInhibit calls). Where there
// is no session bus or no such service the game goes on without it; the trace says so once.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

class TScreenSaverInhibitor : public QObject {
public:
    explicit TScreenSaverInhibitor(QObject* Parent = nullptr);
    // Releases a hold that is still in force.
    ~TScreenSaverInhibitor() override;

    // Asks for the hold without waiting for the answer.
    void Inhibit(const QString& ApplicationName, const QString& Reason);
    // Gives the hold back; a hold whose answer is still on its way is given back when it comes.
    void Release();

    // The service granted the hold and it has not been given back.
    bool Inhibited() const { return m_inhibited; }
    // The service answered the request, with a hold or with an error.
    bool Answered() const { return m_answered; }

private:
    void Granted(uint32_t Cookie);

    bool m_wanted = false;
    bool m_inhibited = false;
    bool m_answered = false;
    uint32_t m_cookie = 0;
};
