// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The subcommands of tapsy-fx. Each gets the arguments after its own name (argv[0] is the
// subcommand) and returns the exit status: 0 done, 2 bad arguments or files.
#pragma once

int RunList(int argc, char** argv);
int RunRender(int argc, char** argv);
int RunFrames(int argc, char** argv);
int RunSheet(int argc, char** argv);
int RunBench(int argc, char** argv);
int RunConvert(int argc, char** argv);
