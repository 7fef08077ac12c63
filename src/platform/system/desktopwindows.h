// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The desktop calls of the lock-down and the screen-saver state. A Linux desktop has no task-bar
// window of class "Shell_traywnd", so FindWindowA finds none and the task-bar steps are skipped;
// its panels lie under the topmost full-screen game window. The screen-saver-running state has
// no counterpart either: the stand-in only remembers it. Tests watch the calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

using HWND = intptr_t;

constexpr uint32_t SPI_SETSCREENSAVERRUNNING = 97;

// The top-level window of ClassName (and WindowName, when not null); 0 when there is none.
HWND FindWindowA(const char* ClassName, const char* WindowName);
// Enables or disables Window for mouse and keyboard input; false for no window.
bool EnableWindow(HWND Window, bool Enable);
// SPI_SETSCREENSAVERRUNNING with Param 1 enters and 0 leaves the screen-saver-running state;
// other actions are not known here and answer false.
bool SystemParametersInfoA(uint32_t Action, uint32_t Param, void* Buffer, uint32_t WinIni);

// Whether the screen-saver-running state has been entered and not left.
bool ScreenSaverRunning();

// Each call above is also told to the observer as one line of text ("FindWindowA Shell_traywnd",
// "SystemParametersInfoA 97 1"). Returns the observer before; an empty one watches nothing.
using TDesktopCallObserver = std::function<void(const std::string& Call)>;
TDesktopCallObserver SetDesktopCallObserver(TDesktopCallObserver Observer);
