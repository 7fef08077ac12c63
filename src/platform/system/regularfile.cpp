// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/regularfile.h"

#include "platform/system/exception.h"

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

// One read, shared by the reading thread and the caller, who may stop waiting for it.
struct TFileReadState {
    std::mutex Lock;
    std::condition_variable Done;
    bool Finished = false;
    bool Abandoned = false;
    bool Taken = false;
    std::vector<uint8_t> Data;
    TFileIdentity Identity;
    std::string Error;
};

namespace {

// Counted by the caller that gives up and by the reading thread that ends after that.
std::atomic<int> AbandonedReads { 0 };

std::string SizeText(size_t bytes)
{
    return bytes >= (size_t(1) << 20) ? std::to_string(bytes >> 20) + " MiB"
                                      : std::to_string(bytes) + " bytes";
}

TFileIdentity IdentityOf(const struct stat& info)
{
    return { uint64_t(info.st_dev), uint64_t(info.st_ino), int64_t(info.st_size),
        int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
        int64_t(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec };
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// Open, check and read on the reading thread: an open on a stuck network file blocks too.
void ReadInto(TFileReadState& read, const std::string& path, size_t maxBytes)
{
    std::vector<uint8_t> data;
    TFileIdentity identity;
    std::string error;
    // Non-blocking, so that a FIFO without a writer opens at once (and is refused below).
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat info {};
    if (fd < 0) {
        error = "Cannot open file " + Quoted(path) + ": " + std::strerror(errno);
    } else if (fstat(fd, &info) != 0) {
        error = "Cannot open file " + Quoted(path) + ": " + std::strerror(errno);
    } else if (!S_ISREG(info.st_mode)) {
        error = "Cannot open file " + Quoted(path) + ": it is not a regular file";
    } else if (uint64_t(info.st_size) > maxBytes) {
        error = "The file " + Quoted(path) + " is larger than " + SizeText(maxBytes);
    } else {
        identity = IdentityOf(info);
        // The size is a hint only: the file may grow or shrink while it is read.
        data.reserve(size_t(info.st_size));
        uint8_t chunk[64 * 1024];
        for (;;) {
            const ssize_t got = ::read(fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                error = "Cannot read file " + Quoted(path) + ": " + std::strerror(errno);
                break;
            }
            if (got == 0)
                break;
            if (data.size() + size_t(got) > maxBytes) {
                error = "The file " + Quoted(path) + " is larger than " + SizeText(maxBytes);
                break;
            }
            data.insert(data.end(), chunk, chunk + got);
        }
    }
    if (fd >= 0)
        close(fd);

    std::lock_guard lock(read.Lock);
    read.Finished = true;
    if (read.Abandoned) {
        AbandonedReads.fetch_sub(1);
        return;
    }
    read.Data = std::move(data);
    read.Identity = identity;
    read.Error = std::move(error);
    read.Done.notify_all();
}

} // namespace


int AbandonedFileReads() { return AbandonedReads.load(); }

TFileIdentity RegularFileIdentity(const std::string& Path)
{
    // stat never opens the file, so a FIFO or device cannot block it.
    struct stat info {};
    if (stat(Path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    return IdentityOf(info);
}

TFileRead::TFileRead(const std::string& Path, size_t MaxBytes)
    : m_path(Path)
{
    if (AbandonedReads.load() >= MaxAbandonedFileReads)
        throw Exception("Cannot read file " + Quoted(Path)
            + ": earlier files are still not read; nothing more is read until they answer");
    m_state = std::make_shared<TFileReadState>();
    try {
        std::thread([state = m_state, Path, MaxBytes] { ReadInto(*state, Path, MaxBytes); }).detach();
    } catch (const std::system_error& error) {
        throw Exception("Cannot read file " + Quoted(Path) + ": " + error.what());
    }
}

TFileRead::~TFileRead()
{
    std::lock_guard lock(m_state->Lock);
    if (!m_state->Finished) {
        m_state->Abandoned = true;
        AbandonedReads.fetch_add(1);
    }
}

bool TFileRead::Wait(std::chrono::milliseconds Timeout)
{
    std::unique_lock lock(m_state->Lock);
    return m_state->Done.wait_for(lock, Timeout, [&] { return m_state->Finished; });
}

std::vector<uint8_t> TFileRead::Take(TFileIdentity* Identity)
{
    std::lock_guard lock(m_state->Lock);
    if (!m_state->Finished || m_state->Taken)
        throw Exception("The file " + Quoted(m_path) + " is not read yet");
    m_state->Taken = true;
    if (!m_state->Error.empty())
        throw Exception(m_state->Error);
    if (Identity)
        *Identity = m_state->Identity;
    return std::move(m_state->Data);
}

std::vector<uint8_t> ReadRegularFile(const std::string& Path, size_t MaxBytes,
    std::chrono::milliseconds Timeout, TFileIdentity* Identity)
{
    TFileRead read(Path, MaxBytes);
    if (!read.Wait(Timeout))
        throw Exception("The file " + Quoted(Path) + " was not read within "
            + std::to_string(Timeout.count()) + " ms; it is left out");
    return read.Take(Identity);
}
