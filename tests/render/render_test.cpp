// The cube and the texts as drawn on the software GL, read back pixel by pixel.
#include "support/test_game.h"

#include <GL/glu.h>

#include <functional>

namespace {

using Frame = std::vector<unsigned char>;

Frame drawn(const std::function<void()>& draw)
{
    Frame f(800 * 600 * 3);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT), draw(), readFrame(f.data());
    return f;
}

// Where point q (with outward normal n) of cubie (x, y, z)'s own space lands,
// worked out here from the camera, tilt, spin, a whole-cube turn about -X and
// the cubie's place; false when it does not face the camera clearly.
bool onScreen(int x, int y, int z, const double q[3], const double n[3], double angle, int& wx, int& wy)
{
    const double o = cubeSize / 2.0 - 0.5, identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double m[16], p[16], c[3], ne[3], w[3];
    GLint v[4];
    glPushMatrix(), glLoadIdentity(), glTranslated(0, 0, -4.5 * cubeSize), glRotated(45, 1, 1, 0);
    glRotated(viewAngleY, 0, 1, 0), glRotated(viewAngleX, 1, 0, 0), glRotated(angle, -1, 0, 0);
    glTranslated((x - o) * 2, (y - o) * 2, (z - o) * 2);
    glGetDoublev(GL_MODELVIEW_MATRIX, m), glPopMatrix();
    glGetDoublev(GL_PROJECTION_MATRIX, p), glGetIntegerv(GL_VIEWPORT, v);
    for (int i = 0; i < 3; i++) {
        ne[i] = m[i] * n[0] + m[4 + i] * n[1] + m[8 + i] * n[2];
        c[i] = m[12 + i] + m[i] * q[0] + m[4 + i] * q[1] + m[8 + i] * q[2];
    }
    gluProject(c[0], c[1], c[2], identity, p, v, &w[0], &w[1], &w[2]);
    wx = static_cast<int>(w[0]), wy = static_cast<int>(w[1]);
    return -(ne[0] * c[0] + ne[1] * c[1] + ne[2] * c[2]) / std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2])
        > 0.15;
}

// Whether frame f has colour want within reach pixels of (x, y), origin lower left.
bool colourNear(const Frame& f, int x, int y, Rgb want, int reach)
{
    for (int dy = -reach; dy <= reach; dy++)
        for (int dx = -reach, i; dx <= reach; dx++)
            if (i = ((y + dy) * 800 + x + dx) * 3,
                std::abs(f[i] - want.r) + std::abs(f[i + 1] - want.g) + std::abs(f[i + 2] - want.b) <= 3)
                return true;
    return false;
}

}  // namespace

TEST(CubePicture, VisibleStickersShowTheModelsColoursAtRestMidTurnAndCommitted)
{
    useGameGraphics();
    const Rgb palette[7] = {{0, 0, 0},     {36, 6, 153},   {255, 255, 255}, {225, 0, 0},
                            {255, 120, 0}, {233, 243, 10}, {28, 185, 0}};
    const float views[][2] = {{0, 0}, {30, 50}, {180, 0}, {250, 100}};
    for (int n = 3; n <= 4; n++)
        for (const auto& view : views) {
            resetGame(n, 1000), seedRandom(42), scrambleCube(12);
            viewAngleY = view[0], viewAngleX = view[1], turnDuration = 1000;
            // At rest; half-way through Up with nothing selected (45 degrees
            // about -X, old colours); the commit pass (at rest, new colours).
            for (int clock : {1000, 1500, 2000}) {
                clock == 1500 ? requestTurn(-1, 0) : void();
                setRunClock(clock);
                const Frame shot = drawn(drawCube);
                int checked = 0, wx, wy;
                EACH_CUBIE(x, y, z) for (int f = 0; f < 6; f++)
                {
                    double side[3] = {0, 0, 0};  // its centre and normal
                    side[f / 2] = f % 2 ? 1 : -1;
                    const bool shown =
                        cubeLive[x][y][z][f] && onScreen(x, y, z, side, side, clock == 1500 ? 45 : 0, wx, wy);
                    checked += shown;
                    ASSERT_TRUE(!shown || colourNear(shot, wx, wy, palette[cubeLive[x][y][z][f]], 0))
                        << "N=" << n << " clock " << clock << " cubie " << x << y << z << " side " << f;
                }
                EXPECT_GE(checked, 2 * n * n);
            }
        }
}

TEST(CubieMesh, MarkerOnlyOnTheSelectedFrontCubieInPlayAndMissingStickersBlack)
{
    useGameGraphics();
    resetGame(3), selectionActive = true, selectedColumn = 1, selectedRow = 1;
    // The middle of the outline's top edge, on the selected cubie and another.
    const double edge[3] = {0, 1, 1.1}, front[3] = {0, 0, 1};
    int wx, wy, ox, oy;
    onScreen(1, 1, 2, edge, front, 0, wx, wy), onScreen(0, 0, 2, edge, front, 0, ox, oy);
    const struct {
        int state, clock;
        bool selected;
        Rgb colour;
        bool shown;
    } cases[] = {// (cos, sin, tan) of 0, then at 157 ms, where tan saturates just below pi / 2.
                 {STATE_PLAYING, 0, true, {255, 0, 0}, true},
                 {STATE_PLAYING, 157, true, {0, 255, 255}, true},
                 {STATE_MENU, 157, true, {0, 255, 255}, false},
                 {STATE_PLAYING, 157, false, {0, 255, 255}, false}};
    for (const auto& c : cases) {
        gameState = c.state, frameClock = c.clock, selectionActive = c.selected;
        const Frame f = drawn(drawCube);
        EXPECT_TRUE(colourNear(f, wx, wy, c.colour, 3) == c.shown && !colourNear(f, ox, oy, {0, 255, 255}, 3))
            << c.state << " " << c.clock;
    }
    glClearColor(1, 1, 1, 1);
    for (int code : {0, 9, -3, 2}) {
        for (int f = 0; f < 6; f++)
            cubieColors[f] = f == 5 ? code : 2;
        const Frame f = drawn([] { glLoadIdentity(), glTranslated(0, 0, -6), drawCubie(false); });
        GLfloat current[4];
        glGetFloatv(GL_CURRENT_COLOR, current);
        EXPECT_TRUE(colourNear(f, 400, 300, code == 2 ? Rgb{255, 255, 255} : Rgb{0, 0, 0}, 0)
                    && current[0] + current[1] + current[2] == 0)
            << "front code " << code << " (and a cubie ends on black)";
    }
    glClearColor(0, 0, 0, 0.5f);
}

TEST(ScreenTexts, EachTextInItsFontPlaceAndColourAsTheClockRunsTheTimeFormatAndTheFrameRatesIntervals)
{
    useGameGraphics();
    const auto cf = [](double v) { return static_cast<float>(std::cos(v)); };
    const auto sf = [](double v) { return static_cast<float>(std::sin(v)); };
    for (int clock : {0, 123456}) {
        frameClock = clock, gameStartClock = clock - 65005;
        const int k = clock / 100 % 1000, w = clock / 180 % 1000;
        const double s = clock / 1000.0;
        std::strcpy(timeText, "9: 9: 9.999");
        const struct {
            const char* name;
            std::function<void()> draw, expected;
        } texts[] = {
            {"credit", drawCredit,
             [&] {
                 printText(fontCredit, cf(s), cf(s), cf(s), 5, 3,
                           "created by Pelmaz  -=- pelmaz@example.org -=- example.org");
             }},
            {"title", drawTitle, [&] { printText(fontTitle, cf(k), sf(k), 1, 220, 500, "Torvelo"); }},
            {"menu", drawMenuOptions,
             [&] {
                 printText(fontMenu, cf(k), sf(k), 1, 50, 100, "[1] Medium"),
                     printText(fontMenu, 1, cf(k), sf(k), 50, 50, "[2] Harder Better Stronger");
             }},
            {"winner", drawWinner,
             [&] {
                 printText(fontTitle, cf(w), sf(w), 1, 180, 420, "!!! WINNER !!!"),
                     printText(fontMenu, 1, 0, 1, 250, 300, "9: 9: 9.999");
             }},
            {"timer", [] { drawTimer(true); },
             [&] { printText(fontTimer, cf(65005), sf(65005), 1, 600, 550, "0: 1: 5.  5"); }},
            // The rate measured before this frame, though this one measures.
            {"fps", [] { fpsValue = 60, fpsFrameCount = 30, fpsSampleClock = frameClock - 250, drawFps(); },
             [] { printText(fontFps, 0.7f, 0.7f, 0.7f, 740, 10, " 60.0 fps"); }},
        };
        for (const auto& t : texts)
            EXPECT_TRUE(drawn(t.draw) == drawn(t.expected)) << t.name << " at " << clock;
        EXPECT_TRUE(!std::strcmp(timeText, "0: 1: 5.  5") && fpsValue == 120.0f)
            << timeText << ", " << fpsValue << " for 30 frames in 250 ms";
    }
    const struct {
        int ms;
        const char* text;
    } times[] = {{0, "0: 0: 0.  0"},       {1000, "0: 0: 1.  0"},      {60000, "0: 1: 0.  0"},
                 {3600000, "1: 0: 0.  0"}, {36000000, "10: 0: 0.  0"}, {INT_MAX, "596:31:23.647"}};
    for (const auto& t : times) {
        char text[32];
        formatPlayTime(text, sizeof text, t.ms);
        EXPECT_STREQ(text, t.text);
    }
    // Frames at these clocks, and the rate once each is drawn: a measurement
    // divides the frames since the last one (that one included) by the time.
    fpsValue = 0, fpsFrameCount = 0, fpsSampleClock = 0;
    const struct {
        int clock;
        float rate;
    } frames[] = {{0, 0},    {100, 0},  {200, 0},          {250, 3 / 0.25f},
                  {300, 12}, {450, 12}, {451, 3 / 0.201f}, {460, 3 / 0.201f}};
    for (const auto& f : frames) {
        frameClock = f.clock, drawFps();
        EXPECT_FLOAT_EQ(fpsValue, f.rate) << "after the frame at " << f.clock;
    }
}
