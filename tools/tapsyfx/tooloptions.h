// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// What the subcommands share: "--name value" options, the one error type that ends the tool
// with status 2, and the pictures the effects run on.
#pragma once

#include "common/testpictures.h"
#include "platform/gdi/gdi.h"

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Bad arguments or files: main prints the message on one line and exits with status 2.
class TToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The "--name value" pairs of one subcommand; every name must be one the command knows.
class TToolOptions {
public:
    // `known` options take a value; `flags` stand alone.
    TToolOptions(int argc, char** argv, const std::vector<std::string>& known,
        const std::vector<std::string>& flags = {});

    bool Has(const std::string& name) const { return m_values.count(name) != 0; }
    std::string Text(const std::string& name) const; // required
    int64_t Integer(const std::string& name, int64_t min, int64_t max) const; // required
    int64_t Integer(const std::string& name, int64_t min, int64_t max, int64_t fallback) const;

private:
    std::map<std::string, std::string> m_values;
};

// The number in `text`, all of it, within min … max; else TToolError naming `what`.
int64_t ParseInteger(const std::string& text, int64_t min, int64_t max, const std::string& what);

// The style of "--style", checked against the table.
int32_t StyleOption(const TToolOptions& options);

// A picture file drawn at (0, 0) at its natural size over black on a W x H bitmap (cropped or
// padded); W x H is the picture's own size when both are 0.
std::unique_ptr<TGdiBitmap> LoadPicture(const std::string& path, int32_t W = 0, int32_t H = 0);
// Writes the bitmap as a 32-bit BMP file.
void SavePicture(const TGdiBitmap& bitmap, const std::string& path);

