// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The game's pseudo-random generator (background colours, effect styles, idle-demo letters).
// It is not the effects' generator. A linear congruence on 64 bits whose draws are 31 bits.
#pragma once

#include <cstdint>

class TGameRandom {
public:
    static constexpr uint64_t Multiplier = 22695477;

    // The high half of the state becomes 0 and the low half Value × 22695477 + 1 (32 bits).
    void Seed(uint32_t Value) { m_state = uint32_t(Value * uint32_t(Multiplier) + 1u); }

    // A value in 0 … 2^31 − 1: bits 32 to 62 of the advanced state.
    uint32_t Draw()
    {
        m_state = m_state * Multiplier + 1u;
        return uint32_t(m_state >> 32) & 0x7FFFFFFFu;
    }

    uint64_t State() const { return m_state; }

private:
    uint64_t m_state = 0;
};

// The one generator of the game window, used on the user-interface thread only.
extern TGameRandom GameRandom;
