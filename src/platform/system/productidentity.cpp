// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/productidentity.h"

#include <QCoreApplication>

QString MakerDomain;
QString ProductTitle;
QString ProductId;
QString WebSiteUrl;
QString HomePageUrl;
QString SupportEmail;

namespace {
QString g_applicationTitle;
}

void InitProductIdentity()
{
    // example.org is reserved for examples: no one's real site or mailbox is reached.
    MakerDomain = QStringLiteral("tapsy.example.org");
    ProductTitle = QStringLiteral("Tapsy");
    ProductId = QStringLiteral("Tapsy_V1");
    const QString site = QStringLiteral("https://") + MakerDomain;
    WebSiteUrl = site + QStringLiteral("/?come_from=") + ProductId;
    HomePageUrl
        = site + QStringLiteral("/en/Tapsy_Screen_Saver_Detail.aspx?come_from=") + ProductId;
    SupportEmail = QStringLiteral("support@") + MakerDomain;
    // Not Qt's application display name: X11 would append it to every window title.
    g_applicationTitle = ProductTitle;
}

QString ApplicationTitle() { return g_applicationTitle; }
