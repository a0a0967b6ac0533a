// The screens as a player sees them, on the software GL, against reference
// pictures (tests/render/*.png): the cube's colours, bevels, spin, turns and
// marker, and every text in its font, place and colour as the clock sets it.
#include "support/test_game.h"

#include <climits>

// Play on a cube of size n from seed's scramble, at run clock ms on: the
// cell of key selected, turned by arrow, the cell of key2 selected during
// the turn; the frame at ms + drawn, the timer then at time.
static void play(int n, int seed, int ms, int key, int arrow, int key2, int drawn, int time)
{
    resetGame(n, ms);
    seedRandom(seed);
    scrambleCube(150);
    gameState = STATE_PLAYING;
    gameStartClock = ms + drawn - time;
    keys[key] = true;
    frameAt(ms);
    keys[arrow] = true;
    frameAt(ms + 16);
    keys[key2] = true;
    frameAt(ms + 50);
    frameAt(ms + drawn);
}

TEST(Screens, TitlePlayAndWinnerLookAsTheirPictures)
{
    useGameGraphics();
    // The title, spun, half through a demo turn; the rate of 29 frames in 250 ms.
    resetGame(3, 124000);
    seedRandom(7);
    scrambleCube(150);
    viewAngleY = 30;
    viewAngleX = 20;
    fpsFrameCount = 29;
    fpsSampleClock = 123850;
    frameAt(124100);
    frameAt(124600);
    expectPicture("render/title");
    // Column 1 half through Up, the cell D selected meanwhile, at 1:02:03.004.
    play(3, 5, 500000, 'X', VK_UP, 'D', 166, 3723004);
    expectPicture("render/play3");
    // The 4-cube: row 1 well through Right, the top row's cell 2 selected, at 10:01:01.001.
    play(4, 6, 700000, 'F', VK_RIGHT, '2', 200, 36061001);
    expectPicture("render/play4");
    // The winner screen after the longest game the clock can time, with a
    // selection made during the last turn, which shows no marker there.
    resetGame(3, 900000);
    gameState = STATE_PLAYING;
    gameStartClock = 900000 - INT_MAX;
    selectionActive = true;
    selectedColumn = 1;
    selectedRow = 1;
    frameAt(900000);
    viewAngleY = 200;
    viewAngleX = 100;
    frameAt(900500);
    expectPicture("render/winner");
}

TEST(BitmapText, PrintTextFormatsLikePrintfAndDrawsAtItsPlaceInItsColour)
{
    useGameGraphics();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    printText(fontTimer, 1.0f, 0.5f, 0.0f, 300, 200, "%d:%s", 42, "ab");
    expectPicture("render/text");
}
