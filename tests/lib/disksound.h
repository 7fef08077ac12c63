// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// What SDL's disk audio driver (SDL_AUDIODRIVER=disk) has written to its file: the mixed sound
// as 16-bit samples, channels interleaved. It writes on its own thread in real time, so a test
// reads it again and again while it waits (lib/waituntil.h).
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The samples written to File so far; empty before the driver's first write.
inline std::vector<int16_t> DiskSamples(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    if (!samples.empty()) // an empty vector has no memory to copy into
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}
