// The start and end that every test of panorela-host.exe shares: a settings
// file of its own, no host running before or after, and this process's view
// of the shared block.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "host.h"
#include "host_program.h"

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings = UsePrivateSettingsFile();
        EndRunningHost();
        ASSERT_TRUE(host.Loaded());
        state = host.MapData();
        ASSERT_NE(state, nullptr);
    }
    void TearDown() override {
        EndRunningHost();
        DeleteFileA(settings.c_str());
    }

    Host host;
    SharedState* state = nullptr;
    std::string settings;
};
