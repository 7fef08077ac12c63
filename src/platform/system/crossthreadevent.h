#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

// Events that a worker thread (the multimedia timer, SDL's audio thread) posts to the
// user-interface thread. Qt's event queue makes the hand-off safe with a lock of its own,
// but Debian's Qt is not built with ThreadSanitizer, which therefore cannot see that lock
// and would report every posted event as a race. The two marks below tell it where the
// hand-off happens; in every other build they are nothing.

#if defined(__SANITIZE_THREAD__)
#define TAPSY_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TAPSY_THREAD_SANITIZER 1
#endif
#endif

#ifdef TAPSY_THREAD_SANITIZER
extern "C" void __tsan_acquire(void* Address);
extern "C" void __tsan_release(void* Address);
#endif

// Posts Event to Receiver from any thread; Qt owns the event from here on.
inline void PostAcrossThreads(QObject* Receiver, QEvent* Event)
{
#ifdef TAPSY_THREAD_SANITIZER
    __tsan_release(Event);
#endif
    QCoreApplication::postEvent(Receiver, Event);
}

// Called first by the receiver of an event posted with PostAcrossThreads.
inline void AcceptCrossThreadEvent([[maybe_unused]] QEvent* Event)
{
#ifdef TAPSY_THREAD_SANITIZER
    __tsan_acquire(Event);
#endif
}
