// Turns, keys and game states, frame by frame on the software GL.
#include "support/test_game.h"

namespace {

const char* const GRID[] = {"WXCV", "QSDF", "AZER", "1234"};  // rows bottom to top

// The rotation applyTurnRotation leaves on an identity matrix: its angle,
// and its axis from the skew part (column-major).
double rotationAngle(int x, int y, int z, double axis[3])
{
    double m[16];
    glPushMatrix(), glLoadIdentity(), applyTurnRotation(x, y, z);
    glGetDoublev(GL_MODELVIEW_MATRIX, m), glPopMatrix();
    axis[0] = m[6] - m[9], axis[1] = m[8] - m[2], axis[2] = m[1] - m[4];
    return std::acos(std::fmax(-1.0, std::fmin(1.0, (m[0] + m[5] + m[10] - 1) / 2))) * 180.0 / M_PI;
}

void pass(int clock)
{
    setRunClock(frameClock = clock), drawCube();
}
void frame(int clock)
{
    setRunClock(clock), drawFrame();
}

}  // namespace

TEST(TurnAnimation, TheTurningLayerRotatesByTheElapsedShareAboutTheRequestsAxisThenCommitsOnce)
{
    useGameGraphics();
    const struct {
        int n, dirX, dirY, column, row;
        bool selected;
    } cases[] = {{3, -1, 0, 0, 2, true},
                 {3, 1, 0, 2, 0, true},
                 {4, 0, -1, 1, 3, true},
                 {4, 0, 1, 3, 0, true},
                 {3, 0, 1, 1, 1, false}};
    double axis[3];
    for (const auto& c : cases) {
        resetGame(c.n, 100), turnDuration = 300;
        selectionActive = c.selected, selectedColumn = c.column, selectedRow = c.row,
        requestTurn(c.dirX, c.dirY);
        EXPECT_FALSE(selectionActive) << "a turn consumes the selection";
        for (int t = 0; t < 300; t += 37) {
            pass(100 + t);
            EACH_CUBIE(x, y, z)
            {
                const double angle = rotationAngle(x, y, z, axis);
                const bool turning = !c.selected || (c.dirX ? x == c.column : y == c.row);
                ASSERT_NEAR(angle, turning ? 90.0 * t / 300 : 0, 1e-3) << "t=" << t << " " << x << y << z;
                ASSERT_TRUE(!turning || t == 0
                            || (axis[0] * c.dirX + axis[1] * c.dirY > 0 && std::fabs(axis[2]) < 1e-9));
            }
        }
        pass(5000);  // a frame longer than the rest of the turn: commits at rest
        EXPECT_TRUE(!turnAnimating && !turnAxisX && !turnAxisY && rotationAngle(0, 0, 0, axis) < 1e-9);
    }
    // A duration change mid-turn (Delete during play) takes effect next pass: clock, duration, angle.
    resetGame(3, 0), requestTurn(1, 0);
    for (const auto& s :
         {std::vector<double>{200, 300, 60}, {201, 1000, 18.09}, {999, 1000, 89.91}, {1000, 1000, 0}}) {
        turnDuration = static_cast<int>(s[1]), pass(static_cast<int>(s[0]));
        EXPECT_NEAR(rotationAngle(1, 1, 1, axis), s[2], 1e-4) << "at " << s[0];
    }
    // A request for no turn starts nothing but still consumes the selection.
    resetGame(3, 0);
    selectionActive = true, selectedColumn = 1, cubeSnapshot[0][0][0][0] = 42, requestTurn(0, 0);
    EXPECT_FALSE(turnAnimating || selectionActive || turnLayer
                 || cubeSnapshot[0][0][0][0] != cubeLive[0][0][0][0]);
}

TEST(TurnAnimation, DemoTurnsOnlyInTheFirstHalfSecondOfEveryTwo)
{
    useGameGraphics();
    // The phase is that of the unsigned clock, so it runs on through the
    // clock's turn negative: INT_MIN + 352 and -1296 begin a cycle.
    const struct {
        int clock;
        bool busy, attempt;
    } cases[] = {{0, false, true},
                 {499, false, true},
                 {500, false, false},
                 {1999, false, false},
                 {2000, false, true},
                 {0, true, false},
                 {-1, false, false},
                 {-705, false, false},
                 {-1296, false, true},
                 {-1297, false, false},
                 {INT_MIN, false, false},
                 {INT_MIN + 352, false, true},
                 {INT_MIN + 851, false, true},
                 {INT_MIN + 852, false, false}};
    for (const auto& c : cases) {
        resetGame(3, c.clock), turnDuration = 1000, turnAnimating = c.busy;
        seedRandom(11),
            menuDemoTurn();  // this generator's first demo turn is a turn, not a draw of no direction
        EXPECT_TRUE(turnAnimating == (c.attempt || c.busy) && (turnLayer > 0) == c.attempt
                    && !selectionActive)
            << "a demo turn turns one layer, its selection never stays; at " << c.clock;
    }
}

TEST(PlayKeys, GridKeysSelectAndToggleInBlockOrderAndArrowsUseTheOldSelection)
{
    useGameGraphics();
    for (int n = 3; n <= 4; n++)
        for (int row = 0; row < 4; row++)
            for (int column = 0; column < 4; column++) {
                const int key = GRID[row][column];
                const bool read = row < n && column < n;
                resetGame(n), gameState = STATE_PLAYING, keys[key] = true, handleGameKeys();
                EXPECT_EQ(keys[key], !read) << "consumed only when read: " << char(key) << " N=" << n;
                EXPECT_TRUE(isSelectedCubie(column, row, n - 1) == read
                            && !isSelectedCubie(column, row, n - 2))
                    << char(key);
                keys[key] = true, handleGameKeys();
                EXPECT_TRUE(!selectionActive && (!read || (selectedColumn == column && selectedRow == row)))
                    << "the same key again deselects and keeps the cell " << char(key);
            }
    // One key of each block a frame, in block order; the arrow turns the
    // column selected before this frame's grid key.
    resetGame(4), gameState = STATE_PLAYING, selectionActive = true, selectedColumn = 2, selectedRow = 0;
    for (int key : {VK_UP, VK_LEFT, int{'E'}, int{'D'}, int{'4'}})
        keys[key] = true;
    handleGameKeys();
    EXPECT_TRUE(turnAxisX == -1 && turnLayer == 3 && keys[VK_LEFT] && keys['E'] && !keys['D'] && !keys['4']
                && isSelectedCubie(3, 3, 3))
        << "Up on column 2, then D, then 4 of the next block";
    handleGameKeys();
    EXPECT_TRUE(!keys[VK_LEFT] && turnAxisY == 0 && isSelectedCubie(2, 2, 3))
        << "an arrow during a turn consumed and dropped; E";
}

TEST(FrameDriver, TitleKeysStartGamesUnconsumedAndDeleteReturnsFromAnyState)
{
    useGameGraphics();
    const struct {
        bool one, two;
        int size;
    } starts[] = {{true, false, 3}, {false, true, 4}, {true, true, 3}};
    for (const auto& s : starts) {
        int clock = 4000;
        resetGame(3, clock), seedRandom(1);
        while (!turnAnimating && clock < 4400)
            frame(clock += 16);
        ASSERT_TRUE(turnAnimating) << "a demo turn under way";
        viewAngleX = viewAngleY = 30, keys['1'] = s.one, keys['2'] = s.two, frame(clock += 16);
        EXPECT_TRUE(gameState == STATE_PLAYING && cubeSize == s.size && cubeLast == s.size - 1
                    && gameStartClock == clock && keys['1'] == s.one && keys['2'] == s.two)
            << "the keys stay down";
        EXPECT_TRUE(turnDuration == 1000 && !turnAnimating && !turnAxisX && !turnAxisY && !viewAngleX
                    && !viewAngleY)
            << "a fresh cube, no spin; the starting frame is still a title frame";
        keys['1'] = keys['2'] = false, frame(clock += 16);
        EXPECT_TRUE(turnDuration == 300 && viewAngleX == 0 && viewAngleY == 0)
            << "play neither spins nor takes the title's duration";
    }
    for (int state : {STATE_PLAYING, STATE_WON}) {
        resetGame(3, 9000), gameState = state, keys[VK_DELETE] = true, frame(9000);
        EXPECT_TRUE(gameState == STATE_MENU && keys[VK_DELETE] && turnDuration == 1000 && viewAngleY > 0);
    }
}

TEST(WholeGame, UndoingTheScrambleWithKeysWinsInTheLastCommitPassAndFreezesTheTime)
{
    useGameGraphics();
    for (int n = 3; n <= 4; n++) {
        resetGame(n, 1000);
        int moves[150][3], clock = 1000, turns = 0;  // axis X, axis Y, layer
        seedRandom(2024 + n);
        for (auto& m : moves) {
            const int aboutX = randomInt(0, 1), sign = randomInt(-1, 1);
            m[0] = aboutX * sign, m[1] = !aboutX * sign, m[2] = randomInt(0, cubeLast);
        }
        seedRandom(2024 + n), scrambleCube(150), gameState = STATE_PLAYING, gameStartClock = 1000 - 65000;
        for (int i = 149; i >= 0 && gameState == STATE_PLAYING; i--) {
            const int *m = moves[i], layer = m[2];
            if (m[0] == 0 && m[1] == 0)
                continue;
            if (layer != 0)
                keys[static_cast<int>(m[0] ? GRID[0][layer - 1] : GRID[layer - 1][0])] = true,
                                                                               frame(clock += 16);
            // The inverse turn: Up is -X, Down +X, Left -Y, Right +Y.
            keys[m[0] ? (m[0] > 0 ? VK_UP : VK_DOWN) : (m[1] > 0 ? VK_LEFT : VK_RIGHT)] = true;
            frame(clock += 16);
            ASSERT_TRUE(turnAnimating) << "move " << i;
            for (turns++; turnAnimating;)
                frame(clock += 300);
        }
        char expected[32];
        formatPlayTime(expected, sizeof expected, clock - gameStartClock);
        EXPECT_TRUE(turns > 50 && gameState == STATE_WON) << "N=" << n;
        EXPECT_STREQ(timeText, expected) << "the time of the solving frame";
        const float spin = viewAngleY;
        frame(clock + 5000);
        EXPECT_TRUE(gameState == STATE_WON && viewAngleY != spin && !std::strcmp(timeText, expected))
            << "frozen at " << timeText;
    }
}
