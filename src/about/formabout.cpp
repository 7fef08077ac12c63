// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "about/formabout.h"

#include "platform/system/productidentity.h"
#include "platform/system/programpath.h"
#include "platform/system/shell.h"
#include "platform/system/shortcutspermission.h"
#include "platform/widgets/formparts.h"
#include "platform/widgets/label.h"
#include "platform/widgets/panel.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

QFont SansSerif(int Height, TFontStyle Style = TFontStyle::Regular)
{
    return PixelFont(QStringLiteral("MS Sans Serif"), Height, Style);
}

// The window's labels size themselves to their captions, keeping the edge their alignment names.
TLabelLook SizedAt(QRect Bounds, Qt::Alignment Alignment = Qt::AlignLeft)
{
    TLabelLook look;
    look.Bounds = Bounds;
    look.Alignment = Alignment;
    look.Sizing = TLabelSizing::AutoSize;
    return look;
}

QPushButton* MakeButton(QWidget* Parent, const char* Name, const QString& Caption, QRect Bounds)
{
    auto* button = new QPushButton(Caption, Parent);
    button->setObjectName(QLatin1String(Name));
    button->setGeometry(Bounds);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget* Parent, const QString& ExecutablePath)
    : QWidget(Parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
    , m_executablePath(ExecutablePath)
{
    CreateComponents();
    FormCreate(this);
}

void TfrmAbout::CreateComponents()
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About"));
    setFont(SansSerif(11));
    setFixedSize(414, 279);
    move(192, 107);

    Panel1 = new TPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->SetBevelInner(bvLowered);
    Panel1->SetBevelOuter(bvRaised);
    Panel1->setGeometry(16, 8, 385, 145);

    lblProductFullName = new TLabel(Panel1);
    lblProductFullName->setObjectName(QStringLiteral("lblProductFullName"));
    lblProductFullName->setFont(SansSerif(13, TFontStyle::Bold));
    lblProductFullName->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblProductFullName->setGeometry(32, 24, 334, 16);

    lblVersion = MakeLabel(Panel1, "lblVersion", QString(), SizedAt(QRect(136, 68, 89, 13)));

    Label3 = MakeLabel(this, "Label3", QStringLiteral("\u00A9 2026 The Tapsy developers"),
        SizedAt(QRect(112, 172, 160, 13)));
    // Right-aligned, so that they end where the links begin in any font.
    Label4 = MakeLabel(
        this, "Label4", tr("Web Site:"), SizedAt(QRect(104, 200, 47, 13), Qt::AlignRight));
    Label5 = MakeLabel(
        this, "Label5", tr("Support Email:"), SizedAt(QRect(83, 224, 68, 13), Qt::AlignRight));

    labelWeb = MakeLabel(this, "labelWeb", QStringLiteral("https://") + MakerDomain,
        SizedAt(QRect(160, 200, 127, 13)));
    labelWeb->setFont(SansSerif(11, TFontStyle::Underlined));
    labelWeb->SetColor(palette().color(QPalette::Button));
    labelMail = MakeLabel(this, "labelMail", SupportEmail, SizedAt(QRect(160, 224, 115, 13)));
    labelMail->setFont(SansSerif(11, TFontStyle::Underlined));
    for (TLabel* link : { labelWeb, labelMail }) {
        link->SetFontColor(Qt::black);
        link->OnMouseEnter = [this, link] { labelWebMouseEnter(link); };
        link->OnMouseLeave = [this, link] { labelWebMouseLeave(link); };
    }
    labelWeb->OnClick = [this] { labelWebClick(labelWeb); };
    labelMail->OnClick = [this] { labelMailClick(labelMail); };

    btnVisitHomePage
        = MakeButton(this, "btnVisitHomePage", tr("Visit Home Page"), QRect(0, 248, 91, 25));
    btnAllowLockdown
        = MakeButton(this, "btnAllowLockdown", tr("Allow Lock-down..."), QRect(140, 248, 131, 25));
    btnClose = MakeButton(this, "btnClose", tr("Close"), QRect(320, 248, 91, 25));
    connect(btnVisitHomePage, &QPushButton::clicked, this,
        [this] { btnVisitHomePageClick(btnVisitHomePage); });
    connect(btnAllowLockdown, &QPushButton::clicked, this,
        [this] { btnAllowLockdownClick(btnAllowLockdown); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(btnClose); });
}

void TfrmAbout::FormCreate(QObject*)
{
    lblProductFullName->SetCaption(ProductTitle);
    const QString path = m_executablePath.isEmpty()
        ? QString::fromStdString(ProgramFilePath().string())
        : m_executablePath;
    lblVersion->SetCaption(tr("Version:") + GetFileVersionString(path));
}

void TfrmAbout::btnCloseClick(QObject*) { close(); }

void TfrmAbout::btnVisitHomePageClick(QObject*) { ShellOpen(HomePageUrl); }

void TfrmAbout::btnAllowLockdownClick(QObject*)
{
    QMessageBox ask(QMessageBox::Question, ApplicationTitle(), LockdownConsentText(), QMessageBox::NoButton, this);
    ask.setObjectName(QStringLiteral("askAllowLockdown"));
    QPushButton* allow = ask.addButton(tr("Allow"), QMessageBox::AcceptRole);
    // Qt's own texts of the standard buttons come from its translations, which may be missing
    // or lack the language: the window says them itself.
    ask.addButton(QMessageBox::Cancel)->setText(tr("Cancel"));
    ask.setDefaultButton(QMessageBox::Cancel);
    ask.exec();
    if (ask.clickedButton() != allow)
        return;
    const QString error = GrantShortcutsPermission();
    QMessageBox result(error.isEmpty() ? QMessageBox::Information : QMessageBox::Warning, ApplicationTitle(),
        LockdownConsentResult(error), QMessageBox::Ok, this);
    result.button(QMessageBox::Ok)->setText(tr("OK"));
    result.setObjectName(QStringLiteral("allowLockdownResult"));
    result.exec();
}

void TfrmAbout::labelWebClick(QObject*) { ShellOpen(WebSiteUrl); }

void TfrmAbout::labelMailClick(QObject*) { ShellOpen(QStringLiteral("mailto:") + SupportEmail); }

void TfrmAbout::labelWebMouseEnter(TLabel* Sender)
{
    Sender->SetFontColor(Qt::blue);
    Sender->setCursor(Qt::PointingHandCursor);
}

void TfrmAbout::labelWebMouseLeave(TLabel* Sender)
{
    Sender->SetFontColor(Qt::black);
    Sender->unsetCursor();
}
