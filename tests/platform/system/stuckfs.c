// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A file system of two regular files: "stuck.bin", whose reads never answer (the disk that hangs
// under a file a user or the content names), and "slow.ini", a small key content file whose
// reads answer after $STUCKFS_SLOW_MS milliseconds (500 when unset).
//   stuckfs MOUNTPOINT -f
#define FUSE_USE_VERSION 31
#include <errno.h>
#include <fuse.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <sys/stat.h>
#include <unistd.h>

static const char File[] = "/stuck.bin";
static const char SlowFile[] = "/slow.ini";
static const char SlowText[] = "[Virtual CODE=0X41]\r\nDisplay=A\r\nDesc=slow\r\n";

static int GetAttr(const char* path, struct stat* st, struct fuse_file_info* fi)
{
    (void)fi;
    memset(st, 0, sizeof *st);
    if (strcmp(path, "/") == 0) {
        st->st_mode = S_IFDIR | 0755;
        st->st_nlink = 2;
        return 0;
    }
    if (strcmp(path, File) == 0) {
        st->st_mode = S_IFREG | 0644;
        st->st_nlink = 1;
        st->st_size = 4096;
        return 0;
    }
    if (strcmp(path, SlowFile) == 0) {
        st->st_mode = S_IFREG | 0644;
        st->st_nlink = 1;
        st->st_size = sizeof SlowText - 1;
        st->st_mtime = 1000000000; // long ago, so that a reader may trust it not to change
        st->st_ctime = 1000000000;
        return 0;
    }
    return -ENOENT;
}

static int ReadDir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t offset,
    struct fuse_file_info* fi, enum fuse_readdir_flags flags)
{
    (void)offset;
    (void)fi;
    (void)flags;
    if (strcmp(path, "/") != 0)
        return -ENOENT;
    fill(buffer, ".", NULL, 0, 0);
    fill(buffer, "..", NULL, 0, 0);
    fill(buffer, File + 1, NULL, 0, 0);
    fill(buffer, SlowFile + 1, NULL, 0, 0);
    return 0;
}

static int Open(const char* path, struct fuse_file_info* fi)
{
    // No page cache, so that every read reaches this file system.
    fi->direct_io = 1;
    return strcmp(path, File) == 0 || strcmp(path, SlowFile) == 0 ? 0 : -ENOENT;
}

static int Read(const char* path, char* buffer, size_t size, off_t offset, struct fuse_file_info* fi)
{
    (void)fi;
    if (strcmp(path, SlowFile) == 0) {
        const char* text = getenv("STUCKFS_SLOW_MS");
        const long ms = text ? atol(text) : 500;
        const struct timespec delay = { ms / 1000, ms % 1000 * 1000000 };
        if (offset == 0) // the first read only: the end of the file is found at once
            nanosleep(&delay, NULL);
        const size_t length = sizeof SlowText - 1;
        if ((size_t)offset >= length)
            return 0;
        const size_t count = length - (size_t)offset < size ? length - (size_t)offset : size;
        memcpy(buffer, SlowText + offset, count);
        return (int)count;
    }
    for (;;)
        pause(); // until the file system is taken away
    return 0;
}

int main(int argc, char* argv[])
{
    static const struct fuse_operations operations = {
        .getattr = GetAttr,
        .open = Open,
        .read = Read,
        .readdir = ReadDir,
    };
    return fuse_main(argc, argv, &operations, NULL);
}
