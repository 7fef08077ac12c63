// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A library of the probe's name that lacks its entry point.
extern "C" __attribute__((visibility("default"))) int SomethingElse() { return 1; }
