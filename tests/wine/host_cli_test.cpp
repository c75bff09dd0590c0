// panorela-host's command line: good and bad arguments, exit codes and
// messages, and a missing or foreign panorela.dll.
#include <gtest/gtest.h>

#include <string>

#include "host.h"
#include "host_program.h"

namespace {

class HostCommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        settings = UsePrivateSettingsFile();
        EndRunningHost();
    }
    void TearDown() override {
        EndRunningHost();
        DeleteFileA(settings.c_str());
    }
    std::string settings;
};

TEST_F(HostCommandLine, HelpListsTheCommandsAndExitsZero) {
    const HostRun run = RunHost("--help");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.err, "");
    for (const char* expected : {"Usage: panorela-host [command]", "  activate ", "  deactivate ",
                                 "  set <setting> on|off ", "  status ", "  quit ", "hidewhenactive",
                                 "fullheight", "Exit codes: 0 done, 1 wrong arguments"}) {
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected;
    }
}

struct BadArguments {
    const char* arguments;
    const char* message;
};

class HostBadArguments : public HostCommandLine, public ::testing::WithParamInterface<BadArguments> {};

TEST_P(HostBadArguments, ExitOneWithAClearMessageOnStandardError) {
    const HostRun run = RunHost(GetParam().arguments);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.err, GetParam().message);
    EXPECT_EQ(run.out, "");
    // A rejected "set" leaves no settings file behind.
    EXPECT_EQ(GetFileAttributesA(settings.c_str()), INVALID_FILE_ATTRIBUTES);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostBadArguments,
    ::testing::Values(
        BadArguments{"frobnicate",
                     "panorela-host: unknown command \"frobnicate\" (panorela-host --help lists the commands)\n"},
        BadArguments{"set toolbar",
                     "panorela-host: \"set\" needs a setting and on or off, for example \"set toolbar on\"\n"},
        BadArguments{"set", "panorela-host: \"set\" needs a setting and on or off, for example \"set toolbar on\"\n"},
        BadArguments{"set colour on",
                     "panorela-host: unknown setting \"colour\"; the settings are toolbar, inspector, fullheight and hidewhenactive\n"},
        BadArguments{"set toolbar maybe", "panorela-host: \"maybe\" is neither on nor off\n"},
        BadArguments{"set fullheight on now",
                     "panorela-host: unexpected argument \"now\" (panorela-host --help lists the commands)\n"},
        BadArguments{"status please",
                     "panorela-host: unexpected argument \"please\" (panorela-host --help lists the commands)\n"},
        BadArguments{"activate now",
                     "panorela-host: unexpected argument \"now\" (panorela-host --help lists the commands)\n"}));

TEST_F(HostCommandLine, StatusPrintsTheSharedBlocksFields) {
    Host host;
    ASSERT_TRUE(host.Loaded());
    SharedState* state = host.MapData();
    ASSERT_NE(state, nullptr);
    // Values nobody else writes, so that the host can only have read them here.
    state->HostValue = 74565;
    state->HostFlagA = 3;
    state->IdleMark = 7;
    state->InspMenuBase = -1;
    state->MainMenuBase = 12;
    state->InspectorFullHeight = 1;
    state->HideInspectorWhenActive = 0;
    const HostRun run = RunHost("status");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.err, "");
    const std::string lines[] = {"HostValue = 74565\n", "HostFlagA = 3\n", "IdleMark = 7\n", "InspMenuBase = -1\n",
          "MainMenuBase = 12\n", "InspectorFullHeight = 1\n", "HideInspectorWhenActive = 0\n",
          "HooksActive = 0\n", "host = not running\n",
          "WorkRight = " + std::to_string(state->WorkRight) + "\n",
          "WorkBottom = " + std::to_string(state->WorkBottom) + "\n",
          "settings file = " + settings + "\n"};
    for (const std::string& expected : lines) {
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "in:\n" << run.out;
    }
    state->HostValue = 0;
    state->HostFlagA = 0;
    state->IdleMark = 0;
    state->InspMenuBase = 0;
    state->MainMenuBase = 0;
    state->InspectorFullHeight = 0;
}

// A directory of its own holding a copy of the host and, if given, a file
// copied in as panorela.dll.
class HostElsewhere : public HostCommandLine {
protected:
    void SetUp() override {
        HostCommandLine::SetUp();
        directory = TempPath("pnr_host_alone_" + std::to_string(GetCurrentProcessId()));
        CreateDirectoryA(directory.c_str(), nullptr);
        program = directory + "\\panorela-host.exe";
        ASSERT_TRUE(CopyFileA(HostExe().c_str(), program.c_str(), FALSE));
    }
    void TearDown() override {
        DeleteFileA(program.c_str());
        DeleteFileA((directory + "\\panorela.dll").c_str());
        RemoveDirectoryA(directory.c_str());
        HostCommandLine::TearDown();
    }
    std::string directory;
    std::string program;
};

TEST_F(HostElsewhere, MissingLibraryIsReportedForEveryCommandThatNeedsIt) {
    const std::string expected = "panorela-host: cannot load " + directory +
                                 "\\panorela.dll (error 126); put panorela.dll beside panorela-host.exe\n";
    for (const char* arguments : {"status", "activate", "deactivate", "set toolbar on", "set fullheight off"}) {
        const HostRun run = RunProgram(program, arguments);
        ASSERT_TRUE(run.finished) << arguments;
        EXPECT_EQ(run.exitCode, 2u) << arguments;
        EXPECT_EQ(run.err, expected) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
    }
    EXPECT_EQ(FindHostWindow(), nullptr);
    EXPECT_EQ(GetFileAttributesA(settings.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(HostElsewhere, HelpNeedsNoLibrary) {
    const HostRun run = RunProgram(program, "--help");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_NE(run.out.find("Usage: panorela-host"), std::string::npos);
}

TEST_F(HostElsewhere, ForeignLibraryWithOtherExportsIsRefused) {
    // A system DLL exports functions at ordinals 1 to 6 too, under other names.
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_TRUE(CopyFileA((std::string(system) + "\\version.dll").c_str(),
                          (directory + "\\panorela.dll").c_str(), FALSE));
    const std::string expected = "panorela-host: " + directory +
                                 "\\panorela.dll is not a Panorela library: it has no export 4 (GetMapData)\n";
    for (const char* arguments : {"status", "activate", "set inspector off"}) {
        const HostRun run = RunProgram(program, arguments);
        ASSERT_TRUE(run.finished) << arguments;
        EXPECT_EQ(run.exitCode, 3u) << arguments;
        EXPECT_EQ(run.err, expected) << arguments;
    }
}

TEST_F(HostElsewhere, FileThatIsNoLibraryIsReported) {
    const std::string fake = directory + "\\panorela.dll";
    HANDLE file = CreateFileA(fake.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "not a library", 13, &written, nullptr);
    CloseHandle(file);
    const HostRun run = RunProgram(program, "status");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_EQ(run.err.rfind("panorela-host: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(fake), std::string::npos) << run.err;
}

TEST_F(HostCommandLine, DeactivateWhileInactiveSaysSoAndSucceeds) {
    const HostRun run = RunHost("deactivate");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, "Panorela is inactive\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(HostCommandLine, QuitWithNoHostRunning) {
    const HostRun run = RunHost("quit");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, "no Panorela host is running\n");
}

}  // namespace
