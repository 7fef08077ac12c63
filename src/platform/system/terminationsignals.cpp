// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/terminationsignals.h"

#include "platform/system/exception.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Signals[] = { SIGTERM, SIGINT, SIGHUP };

// The write end is all the handler touches.
volatile sig_atomic_t WriteEnd = -1;
int ReadEnd = -1;
struct sigaction Previous[std::size(Signals)];

extern "C" void OnTerminationSignal(int Signal)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(Signal);
    if (WriteEnd >= 0) {
        // Nothing to do when the pipe is full: the user-interface thread has a signal to read.
        [[maybe_unused]] const ssize_t written = write(WriteEnd, &number, 1);
    }
    errno = savedErrno;
}

} // namespace

TTerminationSignals::TTerminationSignals(std::function<void(int)> OnSignal, QObject* Parent)
    : QObject(Parent)
    , m_onSignal(std::move(OnSignal))
{
    if (ReadEnd >= 0)
        throw Exception("The termination signals are watched already");
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        throw Exception("No pipe for the termination signals");
    ReadEnd = ends[0];
    WriteEnd = ends[1];
    m_notifier = new QSocketNotifier(ReadEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { ReadSignals(); });

    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (size_t i = 0; i < std::size(Signals); ++i)
        sigaction(Signals[i], &action, &Previous[i]);
}

TTerminationSignals::~TTerminationSignals()
{
    for (size_t i = 0; i < std::size(Signals); ++i)
        sigaction(Signals[i], &Previous[i], nullptr);
    delete m_notifier;
    const int writeEnd = WriteEnd;
    WriteEnd = -1;
    close(writeEnd);
    close(ReadEnd);
    ReadEnd = -1;
}

void TTerminationSignals::ReadSignals()
{
    unsigned char number = 0;
    while (read(ReadEnd, &number, 1) == 1) {
        if (m_onSignal)
            m_onSignal(number);
    }
}
