// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "app/application.h"

#include "platform/system/productidentity.h"

#include <QMessageBox>
#include <cstdio>

QString ExceptionMessageText(const std::exception& E)
{
    QString text = QString::fromUtf8(E.what());
    if (!text.isEmpty() && !text.endsWith(u'.') && !text.endsWith(u'!') && !text.endsWith(u'?'))
        text += u'.';
    return text;
}

void ShowException(const std::exception& E)
{
    const QString text = ExceptionMessageText(E);
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(ApplicationTitle()), qUtf8Printable(text));
    std::fflush(stderr);
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok);
    box.exec();
}

TApplication::TApplication(int& Argc, char** Argv)
    : QApplication(Argc, Argv)
{
}

bool TApplication::notify(QObject* Receiver, QEvent* Event)
{
    try {
        return QApplication::notify(Receiver, Event);
    } catch (const std::exception& e) {
        ShowException(e);
    }
    return false;
}
