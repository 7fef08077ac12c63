// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Waiting in a test for what another thread or process does: the event loop runs until the
// condition holds or the bound has passed, so a slow machine waits longer and a fault fails
// within the bound instead of hanging.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

// Runs the event loop until Done() holds, at most TimeoutMs; answers Done().
template <class Done> bool WaitUntil(Done done, int timeoutMs = 10000)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < timeoutMs) {
        // A short loop of its own: it handles what arrives and sleeps while nothing does.
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}
