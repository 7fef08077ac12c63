// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Reading a file that content or a user names, without letting it hang the caller: a FIFO or a
// device opens without blocking and is refused, and a file on a stuck or very slow disk costs
// the caller at most a bounded wait.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// How long a caller waits for one file by default; a local disk reads far faster.
inline constexpr std::chrono::milliseconds FileReadTimeout { 3000 };

// Reads that did not answer in time and still wait on their file; while there are this many,
// a new read is refused at once, so that a key pressed again and again cannot pile up threads.
inline constexpr int MaxAbandonedFileReads = 4;
int AbandonedFileReads();

// What identifies one state of a file: a replaced or edited file differs in one of these.
struct TFileIdentity {
    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t Size = -1;
    int64_t ModifiedNs = 0;
    int64_t ChangedNs = 0;
    bool operator==(const TFileIdentity&) const = default;
};

// The identity of Path now, or a default identity (Size -1) when it is missing or not a
// regular file. Never blocks on a FIFO or device.
TFileIdentity RegularFileIdentity(const std::string& Path);

struct TFileReadState;

// One read of the regular file Path on a thread of its own, which a caller may wait for more
// than once: a file slower than one wait is still read, and a later wait finds it done. The
// file is opened without blocking and checked on the opened descriptor. Dropping a read that
// has not ended abandons it (its thread ends whenever the file answers).
class TFileRead {
public:
    // Throws Exception when the thread cannot start, or while MaxAbandonedFileReads reads wait.
    TFileRead(const std::string& Path, size_t MaxBytes);
    ~TFileRead();
    TFileRead(const TFileRead&) = delete;
    TFileRead& operator=(const TFileRead&) = delete;

    // True once the read has ended, waiting at most Timeout for it.
    bool Wait(std::chrono::milliseconds Timeout);
    // The content of an ended read (once); throws Exception with a message naming the file
    // when it was missing, unreadable, not a regular file or larger than MaxBytes, or when the
    // read has not ended. Identity, when given, receives the identity of the file that was read.
    std::vector<uint8_t> Take(TFileIdentity* Identity = nullptr);

private:
    std::string m_path;
    std::shared_ptr<TFileReadState> m_state;
};

// The whole content of the regular file Path. The file is opened without blocking, checked on
// the opened descriptor, and read on a thread of its own while the caller waits at most
// Timeout. Throws Exception with a message naming the file when it is missing or unreadable,
// not a regular file, larger than MaxBytes, or not read within Timeout (the read is abandoned;
// its thread ends whenever the file answers). Identity, when given, receives the identity of
// the file that was read.
std::vector<uint8_t> ReadRegularFile(const std::string& Path, size_t MaxBytes,
    std::chrono::milliseconds Timeout = FileReadTimeout, TFileIdentity* Identity = nullptr);
