// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Runs a callable when the scope ends, also when an exception passes: the one helper for the
// clean-up steps that the class library wraps in try/finally blocks.
#pragma once

#include <utility>

template <class F> class TScopeExit {
public:
    explicit TScopeExit(F undo)
        : m_undo(std::move(undo))
    {
    }
    ~TScopeExit() { m_undo(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    F m_undo;
};
