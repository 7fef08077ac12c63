// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/mediaplayer.h"

#include "platform/system/crossthreadevent.h"
#include "platform/system/debuglog.h"
#include "platform/system/exception.h"
#include "platform/system/regularfile.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <SDL.h>
#include <SDL_mixer.h>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

// Result codes, numbered as the platform's media control numbers them.
constexpr int ErrHardware = 262; // no sound output
constexpr int ErrFileNotFound = 275;
constexpr int ErrCannotLoad = 266; // no format that can play the file
constexpr int ErrNotOpen = 263;
constexpr int ErrCannotPlay = 298;

// Far beyond a key's sound; a larger file is refused rather than read into memory.
constexpr size_t MaxSoundBytes = size_t(128) << 20;

// The format a file's extension names, as SDL_mixer itself takes it from a file name; others
// are recognised by their first bytes.
Mix_MusicType MusicTypeOf(const QString& fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toUpper();
    static const struct {
        const char* Extensions[21];
        Mix_MusicType Type;
    } types[] = {
        { { "WAV", "WAVE" }, MUS_WAV },
        { { "MID", "MIDI", "KAR" }, MUS_MID },
        { { "OGG" }, MUS_OGG },
        { { "OPUS" }, MUS_OPUS },
        { { "FLAC" }, MUS_FLAC },
        { { "MPG", "MPEG", "MP3", "MAD" }, MUS_MP3 },
        { { "669", "AMF", "AMS", "DBM", "DSM", "FAR", "IT", "MED", "MDL", "MOD", "MOL", "MTM",
              "NST", "OKT", "PTM", "S3M", "STM", "ULT", "UMX", "WOW", "XM" },
            MUS_MOD },
    };
    for (const auto& type : types)
        for (const char* name : type.Extensions)
            if (name && extension == QLatin1String(name))
                return type.Type;
    return MUS_NONE;
}

const QEvent::Type PlayEndedType = QEvent::Type(QEvent::registerEventType());
const QEvent::Type NotificationType = QEvent::Type(QEvent::registerEventType());

// The end of a play, posted by SDL_mixer's hook (from the audio thread at a natural end, or
// inside Mix_HaltMusic) to the player that started it.
struct TPlayEndedEvent : QEvent {
    TPlayEndedEvent(uint64_t play, TMPNotifyValues value)
        : QEvent(PlayEndedType)
        , Play(play)
        , Value(value)
    {
    }
    uint64_t Play;
    TMPNotifyValues Value;
};

struct TNotificationEvent : QEvent {
    explicit TNotificationEvent(TMPNotifyValues value)
        : QEvent(NotificationType)
        , Value(value)
    {
    }
    TMPNotifyValues Value;
};

// The one sound output of the process. Owner, Play and HaltValue are shared with SDL's
// audio thread and guarded by Lock. No Mix_ function is called with Lock held: SDL holds its
// audio lock while it calls the hook, and the hook takes Lock.
struct TAudioOutput {
    enum class TState { Closed, Open, Failed };

    std::mutex Lock;
    std::condition_variable Ended;
    TMediaPlayer* Owner = nullptr; // the player whose sound is playing
    uint64_t Play = 0; // its play
    TMPNotifyValues HaltValue = nvSuccessful; // why the next end comes, when a halt causes it

    // User-interface thread only.
    TState State = TState::Closed;
    QString FailureText;
    bool FailureTraced = false;
    int Players = 0;
    uint64_t LastPlay = 0;
};

TAudioOutput Output;

void MusicFinished()
{
    std::lock_guard lock(Output.Lock);
    if (Output.Owner)
        PostAcrossThreads(Output.Owner, new TPlayEndedEvent(Output.Play, Output.HaltValue));
    Output.Owner = nullptr;
    Output.Ended.notify_all();
}

bool OpenOutput()
{
    if (Output.State == TAudioOutput::TState::Open)
        return true;
    if (Output.State == TAudioOutput::TState::Failed)
        return false;
    // SDL must leave Ctrl+C and the termination signals to the program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        Output.FailureText = QString::fromUtf8(SDL_GetError());
    } else if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        Output.FailureText = QString::fromUtf8(Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    } else {
        // Formats whose decoders load on demand; one that is missing only fails its files.
        Mix_Init(MIX_INIT_FLAC | MIX_INIT_MP3 | MIX_INIT_OGG | MIX_INIT_MID | MIX_INIT_OPUS);
        Mix_HookMusicFinished(MusicFinished);
        Output.State = TAudioOutput::TState::Open;
        return true;
    }
    Output.State = TAudioOutput::TState::Failed;
    if (!Output.FailureTraced) {
        Output.FailureTraced = true;
        DebugLog(QStringLiteral("No sound output, the game stays silent: ") + Output.FailureText);
    }
    return false;
}

void CloseOutput()
{
    if (Output.State == TAudioOutput::TState::Open) {
        Mix_HookMusicFinished(nullptr);
        Mix_HaltMusic();
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    // A later player tries again; the failure is not traced twice.
    Output.State = TAudioOutput::TState::Closed;
}

// Stops whatever plays; its owner is told Value.
void HaltOutput(TMPNotifyValues value)
{
    {
        std::lock_guard lock(Output.Lock);
        Output.HaltValue = value;
    }
    Mix_HaltMusic();
    std::lock_guard lock(Output.Lock);
    Output.HaltValue = nvSuccessful;
}

bool IsPlaying(const TMediaPlayer* player, uint64_t play)
{
    std::lock_guard lock(Output.Lock);
    return play != 0 && Output.Owner == player && Output.Play == play;
}

} // namespace

TMediaPlayer::TMediaPlayer(QObject* Parent)
    : QObject(Parent)
{
    ++Output.Players;
}

TMediaPlayer::~TMediaPlayer()
{
    Close();
    {
        std::lock_guard lock(Output.Lock);
        if (Output.Owner == this)
            Output.Owner = nullptr;
    }
    if (--Output.Players == 0)
        CloseOutput();
}

void TMediaPlayer::SetNotify(bool Value)
{
    m_notify = Value;
    m_useNotify = true;
}

void TMediaPlayer::SetWait(bool Value)
{
    m_wait = Value;
    m_useWait = true;
}

TMediaPlayer::TCommandFlags TMediaPlayer::TakeFlags(TCommandFlags Defaults)
{
    const TCommandFlags flags { m_useNotify ? m_notify : Defaults.Notify,
        m_useWait ? m_wait : Defaults.Wait };
    m_useNotify = false;
    m_useWait = false;
    return flags;
}

void TMediaPlayer::Succeed()
{
    m_error = 0;
    m_errorMessage.clear();
}

void TMediaPlayer::Fail(int Error, const QString& Message)
{
    m_error = Error;
    m_errorMessage = Message;
}

QString TMediaPlayer::ErrorMessage() const
{
    return m_error == 0 ? QStringLiteral("The specified command was carried out.")
                        : m_errorMessage;
}

bool TMediaPlayer::HasAudioOutput() { return Output.State == TAudioOutput::TState::Open; }

void TMediaPlayer::PostNotification(TMPNotifyValues Value)
{
    PostAcrossThreads(this, new TNotificationEvent(Value));
}

void TMediaPlayer::EndPendingPlay(TMPNotifyValues Value)
{
    // The play is over for this player whatever SDL reports later; its notification goes now.
    if (m_playNotifies) {
        m_playNotifies = false;
        PostNotification(Value);
    }
}

void TMediaPlayer::FreeMusic() noexcept
{
    if (m_music) {
        if (IsPlaying(this, m_playNumber))
            HaltOutput(nvAborted);
        Mix_FreeMusic(m_music);
        m_music = nullptr;
    }
    m_musicData = {};
}

void TMediaPlayer::Open()
{
    const TCommandFlags flags = TakeFlags({ .Notify = false, .Wait = true });
    EndPendingPlay(nvAborted);
    FreeMusic();

    if (!OpenOutput()) {
        Fail(ErrHardware, QStringLiteral("There is no sound output: ") + Output.FailureText);
        throw EMCIDeviceError(m_errorMessage.toStdString());
    }
    const QByteArray path = QFile::encodeName(m_fileName);
    if (!QFile::exists(m_fileName)) {
        Fail(ErrFileNotFound,
            QStringLiteral("Cannot find the sound file \"%1\".").arg(m_fileName));
        throw EMCIDeviceError(m_errorMessage.toStdString());
    }
    // Read whole and bounded here: a FIFO, a device or a stuck disk must not hang the caller,
    // nor SDL's audio thread later.
    try {
        m_musicData = ReadRegularFile(path.toStdString(), MaxSoundBytes);
    } catch (const Exception& error) {
        Fail(ErrCannotLoad,
            QStringLiteral("The sound file \"%1\" cannot be played: %2")
                .arg(m_fileName, QString::fromStdString(error.Message())));
        throw EMCIDeviceError(m_errorMessage.toStdString());
    }
    SDL_RWops* source = m_musicData.empty()
        ? nullptr
        : SDL_RWFromConstMem(m_musicData.data(), int(m_musicData.size()));
    m_music = source ? Mix_LoadMUSType_RW(source, MusicTypeOf(m_fileName), SDL_TRUE) : nullptr;
    if (!m_music) {
        const QString reason = m_musicData.empty() ? QStringLiteral("the file is empty")
                                                   : QString::fromUtf8(Mix_GetError());
        m_musicData.clear();
        Fail(ErrCannotLoad,
            QStringLiteral("The sound file \"%1\" cannot be played: %2").arg(m_fileName, reason));
        throw EMCIDeviceError(m_errorMessage.toStdString());
    }
    Succeed();
    if (flags.Notify)
        PostNotification(nvSuccessful);
}

void TMediaPlayer::Play()
{
    const TCommandFlags flags = TakeFlags({ .Notify = true, .Wait = false });
    if (!m_music) {
        Fail(ErrNotOpen, QStringLiteral("No sound file is open."));
        return;
    }
    // A play of this device that still runs is superseded; another player's sound is cut.
    EndPendingPlay(nvSuperseded);
    HaltOutput(nvAborted);

    const uint64_t play = ++Output.LastPlay;
    {
        std::lock_guard lock(Output.Lock);
        Output.Owner = this;
        Output.Play = play;
    }
    m_playNumber = play;
    if (Mix_PlayMusic(m_music, 1) != 0) {
        {
            std::lock_guard lock(Output.Lock);
            if (Output.Owner == this)
                Output.Owner = nullptr;
        }
        Fail(ErrCannotPlay,
            QStringLiteral("The sound cannot be played: ") + QString::fromUtf8(Mix_GetError()));
        return;
    }
    m_playNotifies = flags.Notify;
    Succeed();

    if (flags.Wait) {
        // Bounded, so a sound output that stops calling back cannot hang the program.
        const double duration = Mix_MusicDuration(m_music);
        const auto limit = std::chrono::milliseconds(
            duration > 0 ? int64_t(duration * 1000) + 2000 : int64_t(600000));
        std::unique_lock lock(Output.Lock);
        Output.Ended.wait_for(
            lock, limit, [&] { return !(Output.Owner == this && Output.Play == play); });
    }
}

void TMediaPlayer::Close() noexcept
{
    const TCommandFlags flags = TakeFlags({ .Notify = false, .Wait = true });
    if (!m_music)
        return;
    EndPendingPlay(nvAborted);
    FreeMusic();
    Succeed();
    if (flags.Notify)
        PostNotification(nvSuccessful);
}

TMPModes TMediaPlayer::Mode()
{
    if (!m_music) {
        Fail(ErrNotOpen,
            QStringLiteral("The specified device is not open or is not recognized by MCI."));
        return mpNotReady;
    }
    Succeed();
    return IsPlaying(this, m_playNumber) && Mix_PlayingMusic() ? mpPlaying : mpStopped;
}

bool TMediaPlayer::event(QEvent* Event)
{
    if (Event->type() == PlayEndedType || Event->type() == NotificationType)
        AcceptCrossThreadEvent(Event);
    if (Event->type() == PlayEndedType) {
        const auto* ended = static_cast<TPlayEndedEvent*>(Event);
        // Only the play this player started last owes a notification; ends of plays that
        // were superseded or closed have been notified already.
        if (ended->Play == m_playNumber && m_playNotifies) {
            m_playNotifies = false;
            m_notifyValue = ended->Value;
            if (m_onNotify)
                m_onNotify(this);
        }
        return true;
    }
    if (Event->type() == NotificationType) {
        m_notifyValue = static_cast<TNotificationEvent*>(Event)->Value;
        if (m_onNotify)
            m_onNotify(this);
        return true;
    }
    return QObject::event(Event);
}
