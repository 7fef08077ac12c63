// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The one exception family of the program. Program entry catches Exception and shows its
// message; picture loading and sound playback swallow it where the game says so.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message)
        : std::runtime_error(message)
    {
    }
    std::string Message() const { return what(); }
};

// A picture that cannot be read: unknown format, corrupt or truncated data.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// A text that is not a valid number (or other conversion failure).
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// The media player could not open or play a device.
class EMCIDeviceError : public Exception {
public:
    using Exception::Exception;
};
