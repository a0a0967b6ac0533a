#include "support/test_game.h"
#include "support/text_pixels.h"

#include "cube/game_state.h"
#include "platform/run_clock.h"
#include "play/play.h"
#include "render/render.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> frame(800 * 600 * 3);

void clearScreen()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void grab()
{
    readFrame(frame.data());
}

const Rgb MAGENTA = {255, 0, 255};
const Rgb YELLOW = {255, 255, 0};
const Rgb WHITE = {255, 255, 255};
const Rgb GREY = {178, 178, 178};  // 0.7f of 255, rounded

} // namespace

TEST(ScreenTextFormat, PlayTimeReadsHoursMinutesSecondsMillisWithBlankPadding)
{
    const struct { int ms; const char* text; } cases[] = {
        {0, "0: 0: 0.  0"},
        {1000, "0: 0: 1.  0"},
        {60000, "0: 1: 0.  0"},
        {65005, "0: 1: 5.  5"},
        {3600000, "1: 0: 0.  0"},
        {36000000, "10: 0: 0.  0"},
        {2147483647, "596:31:23.647"},
    };
    for (const auto& c : cases) {
        char text[32];
        formatPlayTime(text, sizeof text, c.ms);
        EXPECT_STREQ(text, c.text);
    }
    // Never past the buffer it is given, whatever the time.
    char small[8];
    std::memset(small, 'x', sizeof small);
    formatPlayTime(small, 6, -2147483647 - 1);
    EXPECT_EQ(std::strlen(small), 5u);
    EXPECT_EQ(small[6], 'x');
}

TEST(ScreenTextFormat, FrameRateIsMeasuredOnlyAfterMoreThan200ms)
{
    fpsValue = 0.0f;
    fpsFrameCount = 0;
    fpsSampleClock = 0;
    EXPECT_FALSE(measureFps(200)) << "exactly 200 ms is not enough";
    fpsFrameCount = 15;
    fpsSampleClock = 1000;
    EXPECT_FALSE(measureFps(1200));
    EXPECT_TRUE(measureFps(1250));
    EXPECT_EQ(fpsFrameCount, 0);
    EXPECT_EQ(fpsSampleClock, 1250);
    char text[32];
    std::snprintf(text, sizeof text, "%5.1f fps", static_cast<double>(fpsValue));
    EXPECT_STREQ(text, " 60.0 fps");
}

TEST(ScreenTexts, EachTextAppearsInItsPlaceAndFixedColour)
{
    useGameGraphics();
    frameClock = 0;
    gameStartClock = 0;
    fpsValue = 0.0f;
    struct Case {
        const char* name;
        void (*draw)();
        Box box;
        Rgb colour;
        Rgb second;  // a second line's colour, or black
    };
    // At clock 0 every shimmering colour stands still at a known value.
    const Case cases[] = {
        {"credit", drawCredit, {0, 0, 799, 24}, WHITE, {0, 0, 0}},
        {"title", drawTitle, {215, 470, 799, 599}, MAGENTA, {0, 0, 0}},
        {"menu", drawMenuOptions, {45, 35, 799, 150}, MAGENTA, YELLOW},
        {"running timer", [] { drawTimer(true); }, {595, 540, 799, 580}, MAGENTA, {0, 0, 0}},
        {"winner", drawWinner, {175, 280, 799, 530}, MAGENTA, {0, 0, 0}},
        {"fps", drawFps, {735, 5, 799, 25}, GREY, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        clearScreen();
        c.draw();
        grab();
        EXPECT_GT(countColour(frame.data(), c.box, c.colour), 30) << c.name;
        if (c.second.r || c.second.g || c.second.b) {
            // The second menu line sits 50 pixels below the first.
            const Box lower = {c.box.x0, c.box.y0, c.box.x1, c.box.y0 + 50};
            EXPECT_GT(countColour(frame.data(), lower, c.second), 30) << c.name;
        }
        EXPECT_EQ(countLitOutside(frame.data(), &c.box, 1), 0) << c.name;
    }
}

TEST(ScreenTexts, NoTextOfAnyScreenRunsOffTheScreenOrOverAnother)
{
    useGameGraphics();
    // At this clock the texts one call draws differ in colour, so each text's
    // box is the extent of its colour. The longest play time, a wide rate.
    frameClock = 1000;
    gameStartClock = frameClock - INT_MAX;
    using Draw = void (*)();
    const Draw timer = [] { drawTimer(true); }, fps = [] { fpsValue = 999.9f; drawFps(); };
    const struct { const char* name; std::vector<Draw> draws; size_t texts; } screens[] = {
        {"title", {drawCredit, drawTitle, drawMenuOptions, fps}, 5},
        {"play", {drawCredit, timer, fps}, 3},
        {"winner", {drawCredit, drawWinner, fps}, 4},
    };
    for (const auto& screen : screens) {
        std::vector<Box> boxes;
        for (Draw draw : screen.draws) {
            clearScreen();
            draw();
            grab();
            std::vector<std::pair<Rgb, Box>> colours;
            for (int y = 0; y < 600; y++)
                for (int x = 0; x < 800; x++) {
                    const unsigned char* p = &frame[(y * 800 + x) * 3];
                    const Rgb c = {p[0], p[1], p[2]};
                    if (!(c.r || c.g || c.b))
                        continue;
                    auto it = std::find_if(colours.begin(), colours.end(), [&](const std::pair<Rgb, Box>& e) {
                        return e.first.r == c.r && e.first.g == c.g && e.first.b == c.b;
                    });
                    if (it == colours.end())
                        colours.push_back({c, {x, y, x, y}});
                    else
                        it->second = {std::min(it->second.x0, x), it->second.y0, std::max(it->second.x1, x), y};
                }
            for (const auto& entry : colours)
                boxes.push_back(entry.second);
        }
        ASSERT_EQ(boxes.size(), screen.texts) << screen.name;
        for (size_t i = 0; i < boxes.size(); i++) {
            const Box a = boxes[i];
            // A text that reaches an edge is cut off there; but the credit
            // line (first) sits at y = 3, so its descenders reach row 0.
            EXPECT_TRUE(a.x0 > 0 && (a.y0 > 0 || i == 0) && a.x1 < 799 && a.y1 < 599)
                << screen.name << " text " << i << " at " << a.x0 << "," << a.y0 << " - " << a.x1 << "," << a.y1;
            for (size_t j = i + 1; j < boxes.size(); j++) {
                const Box b = boxes[j];
                EXPECT_FALSE(a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1)
                    << screen.name << ": texts " << i << " and " << j << " overlap";
            }
        }
    }
}

TEST(ScreenTexts, FrozenTimerShowsTheLastPlayTimeInMagenta)
{
    useGameGraphics();
    frameClock = 65005;
    gameStartClock = 0;
    clearScreen();
    drawTimer(true);
    EXPECT_STREQ(timeText, "0: 1: 5.  5");
    frameClock = 999999;
    clearScreen();
    drawTimer(false);
    grab();
    EXPECT_STREQ(timeText, "0: 1: 5.  5") << "the frozen timer does not format";
    const Box frozen = {245, 285, 799, 360};
    EXPECT_GT(countColour(frame.data(), frozen, MAGENTA), 100);
    EXPECT_EQ(countLitOutside(frame.data(), &frozen, 1), 0);
}

TEST(BitmapText, PrintTextRestoresMatricesAndListBaseAndEmptyDrawsNothing)
{
    useGameGraphics();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(1, 2, 3);
    glListBase(17);
    GLint depthModel = 0, depthProjection = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthModel);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depthProjection);
    double before[16], projectionBefore[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, before);
    glGetDoublev(GL_PROJECTION_MATRIX, projectionBefore);

    for (const char* text : {"", "Torvelo"}) {
        clearScreen();
        printText(fontMenu, 1, 1, 1, 100, 100, "%s", text);
        grab();
        const Box all = {0, 0, 799, 599};
        if (*text)
            EXPECT_GT(countLit(frame.data(), all), 50);
        else
            EXPECT_EQ(countLit(frame.data(), all), 0);
        double after[16], projectionAfter[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, after);
        glGetDoublev(GL_PROJECTION_MATRIX, projectionAfter);
        EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
        EXPECT_EQ(std::memcmp(projectionBefore, projectionAfter, sizeof before), 0);
        GLint mode = 0, base = 0, dm = 0, dp = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        glGetIntegerv(GL_LIST_BASE, &base);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &dm);
        glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &dp);
        EXPECT_EQ(mode, GL_MODELVIEW);
        EXPECT_EQ(base, 17);
        EXPECT_EQ(dm, depthModel);
        EXPECT_EQ(dp, depthProjection);
    }
    glListBase(0);
    glLoadIdentity();

    // A text too long for the buffer is cut, not written past it.
    std::string longText(1000, 'x');
    clearScreen();
    printText(fontFps, 1, 1, 1, 0, 300, "%s", longText.c_str());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
