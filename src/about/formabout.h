// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The About window: the product's title and version and the links to the maker's web site,
// the home page and the support mailbox. It is the screen saver's settings page ("/c"); its one
// setting is the parent's consent to the lock-down on GNOME (Allow Lock-down). Closing it ends
// the program.
#pragma once

#include "about/fileversion.h"

#include <QCoreApplication>
#include <QWidget>

class QPushButton;
class TLabel;
class TPanel;

class TfrmAbout : public QWidget {
    // Its texts are translated under its own name, not QWidget's (no Q_OBJECT here).
    Q_DECLARE_TR_FUNCTIONS(TfrmAbout)

public:
    // ExecutablePath names the file whose version is shown: the running program when empty.
    explicit TfrmAbout(QWidget* Parent = nullptr, const QString& ExecutablePath = QString());

    void FormCreate(QObject* Sender);
    void btnCloseClick(QObject* Sender);
    void btnVisitHomePageClick(QObject* Sender);
    // Says what the consent does, and on Allow stores it; then says how that went.
    void btnAllowLockdownClick(QObject* Sender);
    void labelWebClick(QObject* Sender);
    void labelMailClick(QObject* Sender);
    void labelWebMouseEnter(TLabel* Sender);
    void labelWebMouseLeave(TLabel* Sender);

private:
    void CreateComponents();

    QString m_executablePath;

    TPanel* Panel1 = nullptr;
    TLabel* lblProductFullName = nullptr;
    TLabel* lblVersion = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* labelWeb = nullptr;
    TLabel* labelMail = nullptr;
    QPushButton* btnVisitHomePage = nullptr;
    QPushButton* btnAllowLockdown = nullptr;
    QPushButton* btnClose = nullptr;
};
