// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/formmain.h"

#include "game/contextmenufilter.h"
#include "game/gamelayout.h"
#include "game/gamerandom.h"
#include "platform/system/exception.h"
#include "platform/system/productidentity.h"
#include "platform/system/programpath.h"
#include "platform/system/shell.h"
#include "platform/widgets/label.h"
#include "platform/widgets/panel.h"
#include "transition/transitionview.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <ctime>

const QString TfrmMain::Label1Caption
    = QStringLiteral("Note:\r\n"
                     "\r\n"
                     "1. Don't let your baby play with this game \r\n"
                     "     for more than 15 minutes every time.\r\n"
                     "\r\n"
                     "2. Press Ctrl + Alt + Q to exit game.");

const QString TfrmMain::Label1Hint = QStringLiteral(
    "As everybody knows, a child's attention span is limited. Don't let your baby play with "
    "this game for more than 15 minutes at a time. ");

namespace {

const QColor clBlack(0, 0, 0);
const QColor clWhite(255, 255, 255);
const QColor clGray(128, 128, 128);
const QColor clRed(255, 0, 0);

// Font heights are character heights in pixels, as the forms were designed.
QFont Tahoma(int Height, bool Bold = false, bool Underline = false)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(Height);
    font.setBold(Bold);
    font.setUnderline(Underline);
    return font;
}

TPanel* MakePanel(QWidget* Parent, const char* Name, TPanelBevel BevelOuter, const QColor& Color)
{
    auto* panel = new TPanel(Parent);
    panel->setObjectName(QLatin1String(Name));
    panel->SetBevelOuter(BevelOuter);
    panel->SetColor(Color);
    return panel;
}

template <class Label = TLabel>
Label* MakeLabel(QWidget* Parent, const char* Name, const QString& Caption, const QFont& Font)
{
    auto* label = new Label(Parent);
    label->setObjectName(QLatin1String(Name));
    label->setFont(Font);
    label->SetFontColor(clWhite);
    label->SetCaption(Caption);
    return label;
}

template <class Layout> Layout* MakeLayout(QWidget* Parent)
{
    auto* layout = new Layout(Parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The screen decides the window's size; the layout must not ask for more.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    return layout;
}

} // namespace

TfrmMain::TfrmMain(QWidget* Parent)
    : QWidget(Parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    // The fields start at their initial values (see the class).
    CreateComponents();
    GameRandom.Seed(uint32_t(std::time(nullptr)));
    SwitchLockDownOn();

    FormCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::CreateComponents()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(ProductTitle);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, clGray);
    setPalette(colours);
    setFont(Tahoma(11));
    setFocusPolicy(Qt::StrongFocus);
    // The context-menu filter (FormCreate) keeps menus away from every widget; this keeps the
    // form's own away too.
    setContextMenuPolicy(Qt::PreventContextMenu);
    resize(1024, 565);

    Timer1.SetEnabled(false);
    Timer1.SetInterval(4000);
    Timer1.SetOnTimer([this] { Timer1Timer(this); });

    auto* formLayout = MakeLayout<QVBoxLayout>(this);
    panelTop = MakePanel(this, "panelTop", bvNone, clBlack);
    panelTop->setFixedHeight(169);
    panelBottom = MakePanel(this, "panelBottom", bvNone, palette().color(QPalette::Button));
    formLayout->addWidget(panelTop);
    formLayout->addWidget(panelBottom, 1);

    auto* bottomLayout = MakeLayout<QHBoxLayout>(panelBottom);
    panelLeftBottom = MakePanel(panelBottom, "panelLeftBottom", bvNone, clBlack);
    panelLeftBottom->setFixedWidth(273);
    panelRightBottom = MakePanel(panelBottom, "panelRightBottom", bvLowered, clBlack);
    bottomLayout->addWidget(panelLeftBottom);
    bottomLayout->addWidget(panelRightBottom, 1);

    auto* pictureLayout = MakeLayout<QVBoxLayout>(panelRightBottom);
    m_transitionView = new TTransitionView(panelRightBottom);
    m_transitionView->setObjectName(QStringLiteral("m_transitionView"));
    m_transitionView->SetAlign(TAlign::alClient);
    m_transitionView->SetCenter(true);
    m_transitionView->SetProportional(true);
    m_transitionView->SetExactTiming(true);
    m_transitionView->SetDelay(30);
    m_transitionView->SetStep(3);
    m_transitionView->SetColor(RGB(0, 0, 0));
    pictureLayout->addWidget(m_transitionView);

    auto* topLayout = MakeLayout<QHBoxLayout>(panelTop);
    panelLeftTop = MakePanel(panelTop, "panelLeftTop", bvRaised, clBlack);
    panelLeftTop->setFixedWidth(271);
    panelRightTop = MakePanel(panelTop, "panelRightTop", bvNone, clBlack);
    topLayout->addWidget(panelLeftTop);
    topLayout->addWidget(panelRightTop, 1);

    auto* nameLayout = MakeLayout<QVBoxLayout>(panelLeftTop);
    m_textKeyName = MakeLabel<TStaticText>(
        panelLeftTop, "m_textKeyName", QStringLiteral("ABC"), Tahoma(96, true));
    m_textKeyName->SetColor(clBlack);
    m_textKeyName->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    nameLayout->addWidget(m_textKeyName);

    // Placed by hand: it grows from its top-left corner to fit each new description.
    m_textKeyDesc
        = MakeLabel<TStaticText>(panelRightTop, "m_textKeyDesc", QString(), Tahoma(64, true));
    m_textKeyDesc->SetColor(clBlack);
    m_textKeyDesc->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_textKeyDesc->setGeometry(1, 1, 431, 81);
    m_textKeyDesc->SetAutoSize(true);
    m_textKeyDesc->SetCaption(QStringLiteral("Description..."));

    auto* linksLayout = MakeLayout<QVBoxLayout>(panelLeftBottom);
    Panel1 = MakePanel(panelLeftBottom, "Panel1", bvNone, clBlack);
    Panel1->setFixedHeight(300);
    linksLayout->addStretch(1);
    linksLayout->addWidget(Panel1);

    LabelAbout = MakeLabel(Panel1, "LabelAbout", QStringLiteral("About"), Tahoma(16, false, true));
    LabelAbout->SetColor(clBlack);
    LabelAbout->setGeometry(16, 40, 169, 19);
    LabelHomePage
        = MakeLabel(Panel1, "LabelHomePage", QStringLiteral("Home Page"), Tahoma(16, false, true));
    LabelHomePage->SetColor(clBlack);
    LabelHomePage->setGeometry(16, 69, 169, 19);
    for (TLabel* link : { LabelAbout, LabelHomePage }) {
        link->OnMouseEnter = [this, link] { LabelHomePageMouseEnter(link); };
        link->OnMouseLeave = [this, link] { LabelHomePageMouseLeave(link); };
    }
    LabelAbout->OnClick = [this] { LabelAboutClick(LabelAbout); };
    LabelHomePage->OnClick = [this] { LabelHomePageClick(LabelHomePage); };

    StaticText1 = MakeLabel<TStaticText>(Panel1, "StaticText1", QString(), Tahoma(32, true));
    StaticText1->setGeometry(16, 160, 242, 43);
    StaticText1->SetAutoSize(true);
    StaticText1->SetCaption(QStringLiteral("Quillon Soft."));

    Label1 = MakeLabel(Panel1, "Label1", QString(), Tahoma(13));
    Label1->setGeometry(16, 200, 241, 96);
    Label1->SetAutoSize(true);
    Label1->SetCaption(Label1Caption);
    Label1->setToolTip(Label1Hint);
}

void TfrmMain::FormCreate()
{
    // The context-menu filter takes the place of the window procedure's WM_CONTEXTMENU case.
    m_contextMenuFilter = new TContextMenuFilter(this);

    // Topmost and frameless since construction (window flags); now the whole primary screen.
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        throw Exception("There is no screen to show the game on");
    const QRect screenRect = screen->geometry();
    setGeometry(screenRect);
    setWindowState(windowState() | Qt::WindowFullScreen);

    const TGameLayout layout = ComputeGameLayout(screenRect.height());
    panelTop->setFixedHeight(layout.BandHeight);
    panelLeftTop->setFixedWidth(layout.ColumnWidth);
    panelLeftBottom->setFixedWidth(layout.ColumnWidth);
    m_textKeyDesc->setGeometry(
        layout.DescLeft, layout.DescTop, m_textKeyDesc->width(), layout.DescHeight);

    m_lastKeyTime = Now();

    m_osVersion.dwOSVersionInfoSize = sizeof(TOSVersionInfo);
    GetVersionEx(m_osVersion);

    ReadScreenSaverSettings();
    PrepareMediaPlayer();

    m_musicPlaying = false;
    Timer1.SetEnabled(false);

    InstallIdleHandler();
}

void TfrmMain::FormKeyDown(QObject* Sender, uint16_t& Key, TShiftState Shift)
{
    if (Sender)
        Timer1.SetEnabled(false);

    // Before the repeat guard, so the way out works however fast the keys come.
    if (IsExitChord(Key, Shift)) {
        close();
        return;
    }

    // FIXME: the game itself (repeat guard, the key's name, description, picture and sound) comes
    // with the key handling.
}

void TfrmMain::FormKeyUp(QObject*, uint16_t&, TShiftState) { }

void TfrmMain::FormMouseDown(QObject*, Qt::MouseButton, TShiftState, int, int)
{
    Timer1.SetEnabled(false);
}

void TfrmMain::FormMouseMove(QObject*, TShiftState, int, int)
{
    // Moving the mouse never ends the game: a child's hand is on it all the time.
}

void TfrmMain::FormCloseQuery(QObject*, bool& CanClose)
{
    CanClose = true;
    CheckPasswordOnClose(CanClose);
}

void TfrmMain::FormClose(QObject*)
{
    SwitchLockDownOff();
    LeaveScreenSaverRunning();
}

void TfrmMain::LabelHomePageMouseEnter(TLabel* Sender)
{
    Sender->SetFontColor(clRed);
    Sender->setCursor(Qt::PointingHandCursor);
}

void TfrmMain::LabelHomePageMouseLeave(TLabel* Sender)
{
    Sender->SetFontColor(clWhite);
    Sender->unsetCursor();
}

void TfrmMain::LabelHomePageClick(QObject*)
{
    ShellOpen(HomePageUrl);
    close();
}

void TfrmMain::LabelAboutClick(QObject*)
{
    // A second instance with no arguments shows the About window; this one closes.
    ShellOpen(QString::fromStdString(ProgramFilePath().string()));
    close();
}

void TfrmMain::Timer1Timer(QObject*)
{
    // FIXME: the idle demo (a random letter every 4 seconds) comes with the key handling.
}

void TfrmMain::keyPressEvent(QKeyEvent* Event)
{
    // FIXME: the translation of every key to its virtual-key code comes with the key vocabulary;
    // until then only letters are known, whose Qt codes are their virtual-key codes.
    const int qtKey = Event->key();
    uint16_t key = (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) ? uint16_t(qtKey) : 0;
    FormKeyDown(this, key, ShiftStateFromQt(Event->modifiers()));
    Event->accept();
}

void TfrmMain::keyReleaseEvent(QKeyEvent* Event)
{
    const int qtKey = Event->key();
    uint16_t key = (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) ? uint16_t(qtKey) : 0;
    FormKeyUp(this, key, ShiftStateFromQt(Event->modifiers()));
    Event->accept();
}

void TfrmMain::mousePressEvent(QMouseEvent* Event)
{
    const QPoint at = Event->position().toPoint();
    FormMouseDown(this, Event->button(), ShiftStateFromQt(Event->modifiers(), Event->buttons()),
        at.x(), at.y());
    Event->accept();
}

void TfrmMain::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint at = Event->position().toPoint();
    FormMouseMove(this, ShiftStateFromQt(Event->modifiers(), Event->buttons()), at.x(), at.y());
    Event->accept();
}

void TfrmMain::closeEvent(QCloseEvent* Event)
{
    bool canClose = true;
    FormCloseQuery(this, canClose);
    if (!canClose) {
        Event->ignore();
        return;
    }
    FormClose(this);
    Event->accept();
}

void TfrmMain::SwitchLockDownOn()
{
    // FIXME: the keyboard lock-down switches the task keys off here (hook library, on).
}

void TfrmMain::SwitchLockDownOff()
{
    // FIXME: the keyboard lock-down gives the task keys back here (hook library, off).
}

void TfrmMain::ReadScreenSaverSettings()
{
    // FIXME: the screen-saver settings read "ScreenSaveUsePassword" (older family only) and
    // write and read "ChangeInterval" and "EnableMusic" here.
}

void TfrmMain::PrepareMediaPlayer()
{
    // FIXME: the sound player (m_MediaPlayer, Wait false, Notify true) is prepared here.
}

void TfrmMain::InstallIdleHandler()
{
    // FIXME: the idle demo installs ApplicationIdle here, which enables Timer1 whenever the
    // application becomes idle.
}

void TfrmMain::CheckPasswordOnClose(bool&)
{
    // FIXME: the screen-saver password check on the older family decides CanClose here.
}

void TfrmMain::LeaveScreenSaverRunning()
{
    // FIXME: the screen-saver settings leave the screen-saver-running state here (older family
    // with a password only).
}
