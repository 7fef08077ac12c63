// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The class library's media player, for sound files only, on SDL2_mixer: WAV, OGG, MP3, FLAC
// and MIDI (through FluidSynth and the General MIDI soundfont the system installs). It holds
// at most one open device, for the file last opened; all players of the program share the
// one sound output, so a sound started by one player stops the sound of any other.
//
// As with the platform's media control, each command may wait for its end and may notify:
// Notify and Wait apply to the next command only, which then consumes them. Without them,
// Open and Close wait and do not notify, Play notifies and does not wait. A notification is
// a call of OnNotify on the thread that created the player, never inside the command: for
// Open at once, for Play when the sound ends, is closed or is replaced.
//
// Without a sound device (no sound card, a build machine) every Open fails with
// EMCIDeviceError and the program is told once on the debug trace.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

struct _Mix_Music;

enum TMPModes {
    mpNotReady = 0,
    mpStopped = 1,
    mpPlaying = 2,
    mpRecording = 3,
    mpSeeking = 4,
    mpPaused = 5,
    mpOpen = 6,
};

enum TMPNotifyValues {
    nvSuccessful = 0,
    nvSuperseded = 1,
    nvAborted = 2,
    nvFailure = 3,
};

class TMediaPlayer : public QObject {
public:
    using TNotifyEvent = std::function<void(QObject* Sender)>;

    explicit TMediaPlayer(QObject* Parent = nullptr);
    ~TMediaPlayer() override;
    TMediaPlayer(const TMediaPlayer&) = delete;
    TMediaPlayer& operator=(const TMediaPlayer&) = delete;

    const QString& FileName() const { return m_fileName; }
    void SetFileName(const QString& Value) { m_fileName = Value; }

    // For the next command only.
    void SetNotify(bool Value);
    void SetWait(bool Value);
    bool Notify() const { return m_notify; }
    bool Wait() const { return m_wait; }

    // Called for every notification, on the player's thread.
    void SetOnNotify(TNotifyEvent Handler) { m_onNotify = std::move(Handler); }
    // How the command of the last notification ended.
    TMPNotifyValues NotifyValue() const { return m_notifyValue; }

    // Closes the open device, then opens one for FileName. Raises EMCIDeviceError with the
    // reason when the file cannot be opened (missing, not a regular file, not read within a few
    // seconds, no format that can play it, no sound device); the previous device is closed all
    // the same.
    void Open();
    // Plays the open file from its start to its end and returns at once (unless Wait).
    // Raises nothing: a failure is kept for Error and ErrorMessage.
    void Play();
    // Stops the sound and releases the device; does nothing without one. Never raises.
    void Close() noexcept;

    // The device's mode: mpNotReady without a device, mpPlaying while its sound plays,
    // mpStopped before and after. A query too is a command whose result ErrorMessage tells.
    TMPModes Mode();

    // The result of the last command: 0 for success.
    int Error() const { return m_error; }
    // The text of the last command's result ("The specified command was carried out." for
    // success).
    QString ErrorMessage() const;

    // Whether the process has a sound output (opened at the first Open).
    static bool HasAudioOutput();

protected:
    bool event(QEvent* Event) override;

private:
    struct TCommandFlags {
        bool Notify;
        bool Wait;
    };
    // The flags the application set for this command, else the command's own defaults.
    TCommandFlags TakeFlags(TCommandFlags Defaults);
    void Succeed();
    void Fail(int Error, const QString& Message);
    void PostNotification(TMPNotifyValues Value);
    void EndPendingPlay(TMPNotifyValues Value);
    void FreeMusic() noexcept;

    QString m_fileName;
    bool m_notify = false;
    bool m_wait = false;
    bool m_useNotify = false;
    bool m_useWait = false;
    TNotifyEvent m_onNotify;
    TMPNotifyValues m_notifyValue = nvSuccessful;

    _Mix_Music* m_music = nullptr; // the open device
    // The whole file, read when it opened: SDL_mixer reads from it while the sound plays, so
    // the audio thread never waits on a file.
    std::vector<uint8_t> m_musicData;
    uint64_t m_playNumber = 0; // the play this player started last; 0 before any
    bool m_playNotifies = false; // whether that play still owes a notification
    int m_error = 0;
    QString m_errorMessage;
};
