// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A file system of one regular file, "stuck.bin", whose reads never answer: the disk that hangs
// under a file a user or the content names.
//   stuckfs MOUNTPOINT -f
#define FUSE_USE_VERSION 31
#include <errno.h>
#include <fuse.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static const char File[] = "/stuck.bin";

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
    return 0;
}

static int Open(const char* path, struct fuse_file_info* fi)
{
    // No page cache, so that every read reaches this file system.
    fi->direct_io = 1;
    return strcmp(path, File) == 0 ? 0 : -ENOENT;
}

static int Read(const char* path, char* buffer, size_t size, off_t offset, struct fuse_file_info* fi)
{
    (void)path;
    (void)buffer;
    (void)size;
    (void)offset;
    (void)fi;
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
