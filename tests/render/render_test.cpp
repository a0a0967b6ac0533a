// The screens as a player sees them, on the software GL, against reference
// pictures (tests/render/*.png): the cube's colours, bevels, spin, turns and
// marker, and every text in its font, place and colour as the clock sets it.
#include "support/test_game.h"

#include <climits>

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
    // Play: column 1 half through Up, the cell D selected meanwhile, at 1:02:03.004.
    resetGame(3, 500000);
    seedRandom(5);
    scrambleCube(150);
    gameState = STATE_PLAYING;
    gameStartClock = 500166 - 3723004;
    keys['X'] = true;
    frameAt(500000);
    keys[VK_UP] = true;
    frameAt(500016);
    keys['D'] = true;
    frameAt(500100);
    frameAt(500166);
    expectPicture("render/play3");
    // The 4-cube: row 1 well through Right, the top row's cell 2 selected, at 10:01:01.001.
    resetGame(4, 700000);
    seedRandom(6);
    scrambleCube(150);
    gameState = STATE_PLAYING;
    gameStartClock = 700200 - 36061001;
    keys['F'] = true;
    frameAt(700000);
    keys[VK_RIGHT] = true;
    frameAt(700016);
    keys['2'] = true;
    frameAt(700050);
    frameAt(700200);
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
