// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/dynamiclibrary.h"
#include "platform/system/programpath.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using TProbeName = const char* (*)();

const fs::path ProbeDir(PROBE_DIR);

std::string LoadedProbe(const std::vector<fs::path>& Dirs)
{
    const auto library = TDynamicLibrary::Load("probe.so", Dirs);
    if (!library)
        return "(not loaded)";
    const auto name = library->Procedure<TProbeName>("ProbeName");
    return name ? name() : "(no entry point)";
}

// Runs a test step with the current directory somewhere else, and comes back.
class TCurrentDirectory {
public:
    explicit TCurrentDirectory(const fs::path& Dir)
        : m_previous(fs::current_path())
    {
        fs::current_path(Dir);
    }
    ~TCurrentDirectory() { fs::current_path(m_previous); }

private:
    fs::path m_previous;
};

TEST(DynamicLibrary, TheFirstFolderThatHoldsTheNameWins)
{
    EXPECT_EQ(LoadedProbe({ ProbeDir / "probe_first", ProbeDir / "probe_second" }), "first");
    EXPECT_EQ(LoadedProbe({ ProbeDir / "probe_second", ProbeDir / "probe_first" }), "second");
    EXPECT_EQ(LoadedProbe({ ProbeDir / "nowhere", ProbeDir / "probe_second" }), "second");
}

TEST(DynamicLibrary, MissingLibraryOrEntryPointIsNoError)
{
    EXPECT_EQ(LoadedProbe({ ProbeDir / "nowhere" }), "(not loaded)");
    EXPECT_EQ(LoadedProbe({}), "(not loaded)");
    EXPECT_EQ(
        LoadedProbe({ ProbeDir / "probe_empty", ProbeDir / "probe_first" }), "(no entry point)");
    EXPECT_EQ(TDynamicLibrary::Load(""), nullptr);
    EXPECT_EQ(TDynamicLibrary::Load("mpr.DLL", {}), nullptr);
}

// This test program's run path holds empty entries, which the system's search takes for the
// current directory.
TEST(DynamicLibrary, TheCurrentDirectoryIsNeverSearched)
{
    const TCurrentDirectory here(ProbeDir / "probe_first");
    EXPECT_EQ(LoadedProbe({}), "(not loaded)");
    // Relative folders and relative paths would mean the current directory too.
    EXPECT_EQ(LoadedProbe({ "." }), "(not loaded)");
    EXPECT_EQ(LoadedProbe({ "" }), "(not loaded)");
    EXPECT_EQ(TDynamicLibrary::Load("./probe.so", {}), nullptr);
    EXPECT_EQ(TDynamicLibrary::Load("../probe_first/probe.so", {}), nullptr);
}

TEST(DynamicLibrary, TheSystemsFoldersAreSearchedLast)
{
    const auto library = TDynamicLibrary::Load("libm.so.6", { ProbeDir / "probe_first" });
    ASSERT_NE(library, nullptr);
    EXPECT_NE(library->ProcAddress("cos"), nullptr);
}

TEST(DynamicLibrary, AnAbsolutePathIsTakenAsItIs)
{
    const auto library
        = TDynamicLibrary::Load((ProbeDir / "probe_second" / "probe.so").string(), {});
    ASSERT_NE(library, nullptr);
    EXPECT_STREQ(library->Procedure<TProbeName>("ProbeName")(), "second");
    EXPECT_EQ(library->ProcAddress("NoSuchEntryPoint"), nullptr);
    EXPECT_EQ(library->ProcAddress(nullptr), nullptr);
}

TEST(DynamicLibrary, TheProgramsOwnFoldersComeFirst)
{
    const std::vector<fs::path> dirs = ProgramLibraryDirs();
    ASSERT_EQ(dirs.size(), 3u);
    EXPECT_EQ(dirs[0], ProgramDirectory());
    EXPECT_EQ(dirs[1], (ProgramDirectory().parent_path() / "lib" / "tapsy"));
    EXPECT_EQ(dirs[2], (ProgramDirectory().parent_path() / "lib"));
    EXPECT_TRUE(fs::equivalent(ProgramFilePath(), fs::path("/proc/self/exe")));
}

} // namespace
