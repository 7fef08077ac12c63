// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A library the dynamic-library tests load; each build says which folder it came from.
extern "C" __attribute__((visibility("default"))) const char* ProbeName() { return PROBE_VALUE; }
