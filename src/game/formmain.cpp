// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/formmain.h"

#include "game/contentdirectory.h"
#include "game/contextmenufilter.h"
#include "game/gamelayout.h"
#include "game/gamerandom.h"
#include "game/keycontent.h"
#include "game/keytable.h"
#include "game/lockdown.h"
#include "game/screencovers.h"
#include "game/screensaverinhibitor.h"
#include "platform/system/debuglog.h"
#include "platform/system/desktopwindows.h"
#include "platform/system/exception.h"
#include "platform/system/keycodes.h"
#include "platform/system/mediaplayer.h"
#include "platform/system/productidentity.h"
#include "platform/system/programpath.h"
#include "platform/system/registry.h"
#include "platform/system/shell.h"
#include "platform/system/systemdirectory.h"
#include "platform/system/terminationsignals.h"
#include "platform/widgets/formparts.h"
#include "platform/widgets/label.h"
#include "platform/widgets/panel.h"
#include "transition/transitionview.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <ctime>

const char* const TfrmMain::Label1Caption = QT_TRANSLATE_NOOP("TfrmMain",
    "Note:\r\n"
    "\r\n"
    "1. Don't let your baby play with this game \r\n"
    "     for more than 15 minutes every time.\r\n"
    "\r\n"
    "2. Press Ctrl + Alt + Q to exit game.");

const char* const TfrmMain::Label1Hint = QT_TRANSLATE_NOOP("TfrmMain",
    "As everybody knows, a child's attention span is limited. Don't let your baby play with "
    "this game for more than 15 minutes at a time. ");

namespace {

// Presses closer together than this are dropped (auto-repeat, a hand on the keyboard).
constexpr TDateTime RepeatGuard = EncodeTime(0, 0, 0, 400);

// A colour value as the class library takes it: red in the lowest byte, then green, then blue;
// the bits above them carry no colour.
QColor ColorFromDraw(uint32_t Value)
{
    return QColor(int(Value & 0xFF), int((Value >> 8) & 0xFF), int((Value >> 16) & 0xFF));
}

// The game's entry point of the hook library, program-wide from the first game window on.
TDisableTaskKeys DisableTaskKeys = nullptr;

// The window manager gets this long at most to take full screen or the top from the game.
constexpr int PlacementCheckMs = 500;

// A key's picture is decoded no larger than the view will show it: a huge photo then costs
// what a screen-sized one does, and is reduced once, by area averaging, instead of at every
// frame by dropping pixels. Before the view has a size, the picture keeps its own.
TFitSize ShownSize(const TTransitionView& View)
{
    return [&View](int32_t Width, int32_t Height) {
        const TRect shown = View.DisplayRectFor(Width, Height);
        if (shown.IsEmpty())
            return TDecodeSize { Width, Height };
        return TDecodeSize { shown.Width(), shown.Height() };
    };
}

const QColor clBlack(0, 0, 0);
const QColor clWhite(255, 255, 255);
const QColor clGray(128, 128, 128);
const QColor clRed(255, 0, 0);

QFont Tahoma(int Height, TFontStyle Style = TFontStyle::Regular)
{
    return PixelFont(QStringLiteral("Tahoma"), Height, Style);
}

// The game's labels have white captions.
TLabelLook White(const QFont& Font)
{
    TLabelLook look;
    look.Font = Font;
    look.FontColor = clWhite;
    return look;
}

TPanel* MakePanel(QWidget* Parent, const char* Name, TPanelBevel BevelOuter, const QColor& Color)
{
    auto* panel = new TPanel(Parent);
    panel->setObjectName(QLatin1String(Name));
    panel->SetBevelOuter(BevelOuter);
    panel->SetColor(Color);
    return panel;
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

TfrmMain::~TfrmMain()
{
    // A window that goes away without a close (the application ended otherwise) still gives
    // the desktop back.
    if (!m_closed) {
        SwitchLockDownOff();
        LeaveScreenSaverRunning();
        ReleaseDesktop();
    }
}

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

    m_MediaPlayer = new TMediaPlayer(this);
    m_MediaPlayer->setObjectName(QStringLiteral("m_MediaPlayer"));
    m_MediaPlayer->SetOnNotify([this](QObject* Sender) { m_MediaPlayerNotify(Sender); });

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
    m_transitionView->SetColor(TColor(0x000000)); // black, in the view's own colour type
    pictureLayout->addWidget(m_transitionView);

    auto* topLayout = MakeLayout<QHBoxLayout>(panelTop);
    panelLeftTop = MakePanel(panelTop, "panelLeftTop", bvRaised, clBlack);
    panelLeftTop->setFixedWidth(271);
    panelRightTop = MakePanel(panelTop, "panelRightTop", bvNone, clBlack);
    topLayout->addWidget(panelLeftTop);
    topLayout->addWidget(panelRightTop, 1);

    auto* nameLayout = MakeLayout<QVBoxLayout>(panelLeftTop);
    m_textKeyName = MakeLabel<TStaticText>(
        panelLeftTop, "m_textKeyName", QStringLiteral("ABC"), White(Tahoma(96, TFontStyle::Bold)));
    m_textKeyName->SetColor(clBlack);
    m_textKeyName->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    nameLayout->addWidget(m_textKeyName);

    // Placed by hand: it grows from its top-left corner to fit each new description.
    m_textKeyDesc = MakeLabel<TStaticText>(
        panelRightTop, "m_textKeyDesc", QString(), White(Tahoma(64, TFontStyle::Bold)));
    m_textKeyDesc->SetColor(clBlack);
    m_textKeyDesc->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_textKeyDesc->setGeometry(1, 1, 431, 81);
    m_textKeyDesc->SetAutoSize(true);
    m_textKeyDesc->SetCaption(tr("Description..."));

    auto* linksLayout = MakeLayout<QVBoxLayout>(panelLeftBottom);
    Panel1 = MakePanel(panelLeftBottom, "Panel1", bvNone, clBlack);
    Panel1->setFixedHeight(300);
    linksLayout->addStretch(1);
    linksLayout->addWidget(Panel1);

    LabelAbout
        = MakeLabel(Panel1, "LabelAbout", tr("About"), White(Tahoma(16, TFontStyle::Underlined)));
    LabelAbout->SetColor(clBlack);
    LabelAbout->setGeometry(16, 40, 169, 19);
    LabelHomePage = MakeLabel(
        Panel1, "LabelHomePage", tr("Home Page"), White(Tahoma(16, TFontStyle::Underlined)));
    LabelHomePage->SetColor(clBlack);
    LabelHomePage->setGeometry(16, 69, 169, 19);
    for (TLabel* link : { LabelAbout, LabelHomePage }) {
        link->OnMouseEnter = [this, link] { LabelHomePageMouseEnter(link); };
        link->OnMouseLeave = [this, link] { LabelHomePageMouseLeave(link); };
    }
    LabelAbout->OnClick = [this] { LabelAboutClick(LabelAbout); };
    LabelHomePage->OnClick = [this] { LabelHomePageClick(LabelHomePage); };

    StaticText1 = MakeLabel<TStaticText>(
        Panel1, "StaticText1", QString(), White(Tahoma(32, TFontStyle::Bold)));
    StaticText1->setGeometry(16, 160, 242, 43);
    StaticText1->SetAutoSize(true);
    StaticText1->SetCaption(QStringLiteral("Quillon Soft."));

    Label1 = MakeLabel(Panel1, "Label1", QString(), White(Tahoma(13)));
    Label1->setGeometry(16, 200, 241, 96);
    Label1->SetAutoSize(true);
    Label1->SetCaption(tr(Label1Caption));
    Label1->setToolTip(tr(Label1Hint));
}

void TfrmMain::FormCreate()
{
    // The context-menu filter takes the place of the window procedure's WM_CONTEXTMENU case.
    m_contextMenuFilter = new TContextMenuFilter(this);

    m_covers = new TScreenCovers(this);
    m_inhibitor = new TScreenSaverInhibitor(this);
    m_placementTimer = new QTimer(this);
    m_placementTimer->setInterval(PlacementCheckMs);
    connect(m_placementTimer, &QTimer::timeout, this, [this] { KeepPlacement(); });
    try {
        m_terminationSignals = new TTerminationSignals([this](int Signal) { Terminate(Signal); }, this);
    } catch (const Exception& e) {
        // Another game window watches them already (tests make several).
        DebugLog(e.Message());
    }

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

    m_lastKeyTime = m_now();

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

    if (m_now() - m_lastKeyTime < RepeatGuard) {
        DebugLog("按键过快，抑制。。。 ");
        return;
    }
    m_lastKeyTime = m_now();

    const std::filesystem::path systemDir = ContentDirectory();
    const std::filesystem::path contentFile = KeyContentFilePath(systemDir);
    const std::string section = KeyPressSectionName(Key, Shift);
    if (section == KeyIgnored)
        return;
    const TKeyContent content = ReadKeyContent(contentFile, section);

    char code[32];
    std::snprintf(code, sizeof code, "Virtual CODE=0X%02X,", unsigned(Key));
    DebugLog(std::string(code) + "Display=" + content.Display + ", Desc=" + content.Desc
        + ", Picture=" + content.Picture + ", Music=" + content.Music);

    m_textKeyName->SetCaption(KeyNameCaption(content.Display, Key));
    m_textKeyName->SetColor(ColorFromDraw(GameRandom.Draw() % 0x7FFFFFFF));
    m_textKeyDesc->SetCaption(QString::fromStdString(content.Desc));

    if (!content.Picture.empty()) {
        if (m_transitionView->Busy())
            m_transitionView->Stop();
        try {
            m_transitionView->Picture().LoadFromFileToFit(
                KeyDataFilePath(systemDir, content.Picture).string(), ShownSize(*m_transitionView));
            m_transitionView->SetStyle(int((GameRandom.Draw() % 10000) % 171 + 1));
            m_transitionView->Execute();
        } catch (const Exception& error) {
            // A missing or unreadable picture leaves the view as it is; the key still counts.
            DebugLog("The key's picture is left out: " + error.Message());
        }
    }

    if (!content.Music.empty())
        StartSound(KeyDataFilePath(systemDir, content.Music));
}

void TfrmMain::StartSound(const std::filesystem::path& File)
{
    if (!m_enableMusic)
        return;
    if (m_musicPlaying)
        m_MediaPlayer->Close();
    try {
        m_MediaPlayer->SetFileName(QString::fromStdString(File.string()));
        m_MediaPlayer->Open();
        m_MediaPlayer->Play();
        m_musicPlaying = true;
    } catch (const Exception& error) {
        // A sound that cannot play is left out; the picture and the name still change.
        DebugLog("The key's sound is left out: " + error.Message());
    }
}

void TfrmMain::m_MediaPlayerNotify(QObject*)
{
    if (m_MediaPlayer->Mode() != mpPlaying)
        m_musicPlaying = false;
    DebugLog("Play music notify...");
    const int mode = int(m_MediaPlayer->Mode());
    DebugLog(QStringLiteral("m_MediaPlayer->Mode=%1.error_msg=%2").arg(mode).arg(m_MediaPlayer->ErrorMessage()));
}

void TfrmMain::ApplicationIdle(QObject*, bool&) { Timer1.SetEnabled(true); }

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
    m_closed = true;
    SwitchLockDownOff();
    LeaveScreenSaverRunning();
    ReleaseDesktop();
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
    DebugLog("Timer1Timer trigged~");
    uint32_t k;
    do
        k = GameRandom.Draw() % 254 + 1;
    while (k < 0x41 || k > 0x5A);
    uint16_t key = uint16_t(k);
    FormKeyDown(nullptr, key, TShiftState());
}

void TfrmMain::keyPressEvent(QKeyEvent* Event)
{
    uint16_t key = VirtualKeyFromEvent(*Event);
    if (key != 0)
        FormKeyDown(this, key, ShiftStateFromQt(Event->modifiers()));
    Event->accept();
}

void TfrmMain::keyReleaseEvent(QKeyEvent* Event)
{
    uint16_t key = VirtualKeyFromEvent(*Event);
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
    if (m_closed) {
        Event->accept();
        return;
    }
    bool canClose = true;
    FormCloseQuery(this, canClose);
    if (!canClose) {
        Event->ignore();
        return;
    }
    FormClose(this);
    Event->accept();
}

void TfrmMain::showEvent(QShowEvent* Event)
{
    QWidget::showEvent(Event);
    if (!m_closed)
        HoldDesktop();
}

void TfrmMain::Terminate(int Signal)
{
    DebugLog(QStringLiteral("Signal %1: the game ends.").arg(Signal));
    m_terminating = true;
    close();
}

void TfrmMain::SwitchLockDownOn()
{
    DisableTaskKeys = KeepTaskKeysHook(GameLibraryDirs());
    if (DisableTaskKeys)
        DisableTaskKeys(1, 0);
    else
        DebugLog(QStringLiteral("%1 or its _DisableTaskKeys is missing: the task keys stay on.")
                     .arg(QLatin1String(HookLibraryName)));
    if (const HWND taskBar = FindWindowA("Shell_traywnd", nullptr))
        EnableWindow(taskBar, false);
    m_locked = true;
}

void TfrmMain::SwitchLockDownOff()
{
    if (!m_locked)
        return;
    m_locked = false;
    if (DisableTaskKeys)
        DisableTaskKeys(0, 0);
    if (const HWND taskBar = FindWindowA("Shell_traywnd", nullptr))
        EnableWindow(taskBar, true);
}

void TfrmMain::ReadScreenSaverSettings()
{
    TRegistry registry;
    if (m_osVersion.dwPlatformId != VER_PLATFORM_WIN32_NT) {
        // A missing key or value, or one that is no integer, counts as no password.
        m_usePassword = 0;
        if (registry.OpenKey(QStringLiteral("\\Control Panel\\Desktop"), false)) {
            try {
                m_usePassword = registry.ReadInteger(QStringLiteral("ScreenSaveUsePassword"));
            } catch (const ERegistryException& e) {
                DebugLog(e.Message());
            }
            registry.CloseKey();
        }
        if (m_usePassword != 0)
            SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 1, nullptr, 0);
    }

    registry.OpenKey(QStringLiteral("\\Control Panel\\Screen Saver.Tapsy"), true);
    if (!registry.ValueExists(QStringLiteral("ChangeInterval")))
        registry.WriteInteger(QStringLiteral("ChangeInterval"), 1500);
    if (!registry.ValueExists(QStringLiteral("EnableMusic")))
        registry.WriteInteger(QStringLiteral("EnableMusic"), 1);
    try {
        m_enableMusic = registry.ReadInteger(QStringLiteral("EnableMusic")) != 0;
    } catch (const ERegistryException& e) {
        // A value edited into something else than a number leaves the sound on; the game starts.
        DebugLog(e.Message());
    }
    registry.CloseKey();
}

void TfrmMain::PrepareMediaPlayer()
{
    // The first open notifies too; every later command is as the start of a sound says.
    m_MediaPlayer->SetWait(false);
    m_MediaPlayer->SetNotify(true);
}

void TfrmMain::InstallIdleHandler()
{
    // The application becomes idle when its event loop is about to wait for more events.
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            bool done = true;
            ApplicationIdle(this, done);
        });
    }
}

void TfrmMain::CheckPasswordOnClose(bool& CanClose)
{
    if (m_terminating || m_osVersion.dwPlatformId == VER_PLATFORM_WIN32_NT || m_usePassword == 0)
        return;
    // Fails closed: without the platform's check the game stays open and locked.
    CanClose = VerifyScreenSavePassword(intptr_t(winId()), GameLibraryDirs());
    if (!CanClose)
        DebugLog("The screen-saver password check refused the close.");
}

void TfrmMain::LeaveScreenSaverRunning()
{
    if (m_osVersion.dwPlatformId != VER_PLATFORM_WIN32_NT && m_usePassword != 0)
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, nullptr, 0);
}

void TfrmMain::HoldDesktop()
{
    if (m_desktopHeld)
        return;
    m_desktopHeld = true;
    m_covers->Show();
    m_inhibitor->Inhibit(ProductTitle, tr("A child is playing"));
    m_placementTimer->start();
}

void TfrmMain::ReleaseDesktop()
{
    if (!m_desktopHeld)
        return;
    m_desktopHeld = false;
    m_placementTimer->stop();
    m_covers->Hide();
    m_inhibitor->Release();
}

void TfrmMain::KeepPlacement()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !isVisible())
        return;
    const QRect screenRect = screen->geometry();
    // A Wayland compositor places and sizes a full-screen window itself (a kiosk compositor
    // spreads it over all its outputs): asking again for another size would never end.
    const bool placedByCompositor = QGuiApplication::platformName().startsWith(u"wayland");
    if ((!placedByCompositor && geometry() != screenRect) || !(windowState() & Qt::WindowFullScreen)
        || (windowState() & Qt::WindowMinimized)) {
        DebugLog("The game takes the whole screen back.");
        setGeometry(screenRect);
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowFullScreen);
        show();
    }
    if (!isActiveWindow()) {
        if (!m_focusLost)
            DebugLog("Another window has the focus; the game asks for it back.");
        m_focusLost = true;
        raise();
        activateWindow();
    } else if (m_focusLost) {
        m_focusLost = false;
        DebugLog("The game has the focus again.");
    }
    m_covers->Keep();
}
