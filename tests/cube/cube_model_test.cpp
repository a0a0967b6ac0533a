// The cube model against an independent geometric model: each cubie side is
// a sticker with a position and an outward normal (doubled coordinates about
// the cube's centre), which a turn rotates a right-handed quarter.
#include "support/test_game.h"

#include <array>
#include <random>

// A quarter turn of v about axis a, right-handed for sign +1.
static void rotate(int* v, int a, int sign)
{
    const int b = (a + 1) % 3;
    const int c = (a + 2) % 3;
    const int vb = v[b];
    v[b] = -sign * v[c];
    v[c] = sign * vb;
}

// Every side of a size-n cube, inner ones too, as position then normal,
// labelled in cubeLive by its place in the list.
struct Model {
    std::vector<std::array<int, 6>> stickers;

    explicit Model(int n)
    {
        resetGame(n);
        eachCubie([&](int x, int y, int z) {
            for (int f = 0; f < 6; f++) {
                std::array<int, 6> s = {2 * x - cubeLast, 2 * y - cubeLast, 2 * z - cubeLast};
                s[3 + f / 2] = f % 2 ? 1 : -1;
                s[f / 2] += s[3 + f / 2];
                stickers.push_back(s);
                cubeLive[x][y][z][f] = int(stickers.size());
            }
        });
    }

    void turn(int axisX, int axisY, int layer)
    {
        const int a = axisX != 0 ? 0 : 1;
        for (auto& s : stickers)
            if (axisX + axisY != 0 && (layer == 0 || s[a] - s[3 + a] + cubeLast == 2 * layer - 2)) {
                rotate(&s[0], a, axisX + axisY);
                rotate(&s[3], a, axisX + axisY);
            }
    }

    // Whether each label is where the model has its sticker.
    bool matches() const
    {
        for (size_t i = 0; i < stickers.size(); i++) {
            int cell[3];
            int f = 0;
            for (int a = 0; a < 3; a++) {
                cell[a] = (stickers[i][a] - stickers[i][3 + a] + cubeLast) / 2;
                f += stickers[i][3 + a] != 0 ? 2 * a + (stickers[i][3 + a] > 0) : 0;
            }
            if (cubeLive[cell[0]][cell[1]][cell[2]][f] != int(i) + 1)
                return false;
        }
        return true;
    }
};

// A turn as the cube pass commits it: cubie by cubie, in drawing order.
static void commitTurn(int axisX, int axisY, int layer)
{
    turnAxisX = axisX;
    turnAxisY = axisY;
    turnLayer = layer;
    snapshotCube();
    eachCubie(computeCubieColors);
    turnAxisX = 0;
    turnAxisY = 0;
}

TEST(CubeModel, TurnsMatchTheGeometricModelForSizesTwoToSix)
{
    std::mt19937 rng(1234);
    for (int n = 2; n <= 6; n++) {
        SCOPED_TRACE(n);
        Model model(n);
        for (int move = 0; move < 200; move++) {
            const int sign = rng() % 2 ? 1 : -1;
            const int axisX = rng() % 2 ? sign : 0;
            // Layers past the cube turn nothing.
            const int layer = int(rng() % (n + 3));
            model.turn(axisX, sign - axisX, layer);
            commitTurn(axisX, sign - axisX, layer);
            ASSERT_TRUE(model.matches()) << "move " << move;
        }
    }
}

TEST(SolvedCheck, TheSolvedCubeWinsAndOneStickerOffDoesNot)
{
    const auto passWins = [] {
        gameState = STATE_PLAYING;
        resetFaceCheck();
        eachCubie([](int x, int y, int z) {
            computeCubieColors(x, y, z);
            checkCubieFaces(x, y, z);
        });
        checkSolved();
        return gameState == STATE_WON;
    };
    for (int n = 2; n <= 4; n++) {
        // Over a cube whose every side has a colour: the reset must blacken the inner ones.
        Model labelled(n);
        resetCubeSolved();
        EXPECT_TRUE(passWins()) << n;
        eachCubie([&](int x, int y, int z) {
            for (int f = 0; f < 6; f++) {
                const StickerColor kept = cubeLive[x][y][z][f];
                cubeLive[x][y][z][f] = kept % 6 + 1;
                EXPECT_EQ(passWins(), kept == NO_STICKER) << n << ": " << x << y << z << " side " << f;
                cubeLive[x][y][z][f] = kept;
            }
        });
    }
}
