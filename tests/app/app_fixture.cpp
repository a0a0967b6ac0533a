#include "app_fixture.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/app.h"
#include "platform/input.h"
#include "platform/run_clock.h"
#include "platform/winapi_names.h"
#include "play/play.h"

#include <cstdio>

void AppTest::SetUp()
{
    fakeReset();
    fullscreen = true;
    windowActive = true;
    for (bool& k : keys)
        k = false;
    hInstance = hWnd = hDC = hRC = nullptr;
    gameState = STATE_MENU;
    cubeSize = 3;
    cubeLast = 2;
    selectionActive = false;
    viewAngleX = viewAngleY = 0.0f;
    // The generator as a fresh program has it.
    seedRandom(1);
    setRunClockForTest(1000);
}

void AppTest::TearDown()
{
    EXPECT_EQ(fakeBadReleases(), 0) << "something was released twice or never held";
    fakeReset();
}

int findCall(const std::string& line, int from)
{
    const std::vector<std::string>& calls = fakeCalls();
    for (int i = from; i < static_cast<int>(calls.size()); i++)
        if (calls[i] == line)
            return i;
    return -1;
}

int findCallStarting(const std::string& prefix, int from)
{
    const std::vector<std::string>& calls = fakeCalls();
    for (int i = from; i < static_cast<int>(calls.size()); i++)
        if (calls[i].compare(0, prefix.size(), prefix) == 0)
            return i;
    return -1;
}

std::vector<std::string> callLines(int from, int to)
{
    const std::vector<std::string>& calls = fakeCalls();
    if (to < 0 || to > static_cast<int>(calls.size()))
        to = static_cast<int>(calls.size());
    if (from < 0 || from > to)
        return {};
    return std::vector<std::string>(calls.begin() + from, calls.begin() + to);
}

std::vector<std::string> callNames(int from, int to)
{
    std::vector<std::string> names;
    for (const std::string& line : callLines(from, to))
        names.push_back(line.substr(0, line.find(' ')));
    return names;
}

std::string createWindowLine(int k, bool full)
{
    const unsigned long exStyle = full ? WS_EX_APPWINDOW : WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    const unsigned long style = (full ? WS_POPUP : WS_OVERLAPPEDWINDOW) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    char line[160];
    std::snprintf(line, sizeof line, "CreateWindow w%d ex=%#lx style=%#lx at 0,0 size %s i1 \"Torvelo by Pelmaz\"", k,
                  exStyle, style, full ? "800x600" : "816x639");
    return line;
}
