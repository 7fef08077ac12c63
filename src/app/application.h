// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The application object and the standard exception display.
#pragma once

#include <QApplication>
#include <exception>

// Shows E's message in the standard error message box (titled with the application title) and
// waits for it to be closed. The message is also written to standard error.
void ShowException(const std::exception& E);

// The text the message box shows: the message, with a full stop added unless it already ends
// in one (or in "!" or "?").
QString ExceptionMessageText(const std::exception& E);

// An exception that escapes an event handler is shown and the event loop goes on, as the
// class library's application does; Qt itself must never see one.
class TApplication : public QApplication {
public:
    TApplication(int& Argc, char** Argv);
    bool notify(QObject* Receiver, QEvent* Event) override;
};
