// What every window-code test starts from, and helpers to read the fake's log.
#pragma once

#include "fake_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Fresh fake, the program's globals as at start, the run clock at 1000 ms.
// Afterwards checks that nothing was released twice.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Index of the first log line equal to line at or after from; -1 if none.
int findCall(const std::string& line, int from = 0);
// Index of the first log line starting with prefix at or after from; -1 if none.
int findCallStarting(const std::string& prefix, int from = 0);
// Names of the log lines [from, to); to = -1 means to the end.
std::vector<std::string> callNames(int from, int to = -1);
// Log lines [from, to); to = -1 means to the end.
std::vector<std::string> callLines(int from, int to = -1);

// The CreateWindow line the fake logs for window k: windowed gets the frame's
// extra size from the fake's AdjustWindowRect, full screen the bare 800 x 600.
std::string createWindowLine(int k, bool full);
