// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/desktopwindows.h"

namespace {

TDesktopCallObserver Observer;
bool Running = false;

void Tell(const std::string& Call)
{
    if (Observer)
        Observer(Call);
}

} // namespace

HWND FindWindowA(const char* ClassName, const char* WindowName)
{
    Tell(std::string("FindWindowA ") + (ClassName ? ClassName : "") + (WindowName ? " " : "")
        + (WindowName ? WindowName : ""));
    return 0;
}

bool EnableWindow(HWND Window, bool Enable)
{
    Tell("EnableWindow " + std::to_string(Window) + (Enable ? " 1" : " 0"));
    return false;
}

bool SystemParametersInfoA(uint32_t Action, uint32_t Param, void*, uint32_t)
{
    Tell("SystemParametersInfoA " + std::to_string(Action) + ' ' + std::to_string(Param));
    if (Action != SPI_SETSCREENSAVERRUNNING)
        return false;
    Running = Param != 0;
    return true;
}

bool ScreenSaverRunning() { return Running; }

TDesktopCallObserver SetDesktopCallObserver(TDesktopCallObserver NewObserver)
{
    TDesktopCallObserver before = std::move(Observer);
    Observer = std::move(NewObserver);
    return before;
}
