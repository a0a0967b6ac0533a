// The cube model against an independent geometric model: each cubie side is
// a sticker at a point, its cubie's centre plus a quarter of its outward
// normal (in coordinates four times the cubie spacing, about the cube's
// centre), which a turn rotates a right-handed quarter.
#include "support/test_game.h"

#include <array>
#include <random>

using namespace std;

// Every side of a size-n cube, inner ones too, labelled in cubeLive by its
// place in the list.
struct Model {
    vector<array<int, 3>> stickers;

    explicit Model(int n)
    {
        resetGame(n);
        eachCubie([&](int x, int y, int z) {
            for (int f = 0; f < 6; f++) {
                array<int, 3> p = {4 * x - 2 * cubeLast, 4 * y - 2 * cubeLast, 4 * z - 2 * cubeLast};
                p[f / 2] += f % 2 ? 1 : -1;
                stickers.push_back(p);
                cubeLive[x][y][z][f] = int(stickers.size());
            }
        });
    }

    // A quarter turn about X (a = 0) or Y (a = 1), right-handed for sign +1,
    // of the layer at layer - 1 along it, or of the whole cube for layer 0.
    void turn(int a, int sign, int layer)
    {
        for (auto& p : stickers)
            if (sign != 0 && (layer == 0 || (p[a] + 2 * cubeLast + 2) / 4 == layer - 1)) {
                const int b = p[(a + 1) % 3];
                p[(a + 1) % 3] = -sign * p[(a + 2) % 3];
                p[(a + 2) % 3] = sign * b;
            }
    }

    // Whether each label is where the model has its sticker: the cubie
    // nearest it, and the side its one odd coordinate points to.
    bool matches() const
    {
        for (size_t i = 0; i < stickers.size(); i++) {
            int cell[3];
            int f = 0;
            for (int a = 0; a < 3; a++) {
                const int v = stickers[i][a] + 2 * cubeLast;
                cell[a] = (v + 2) / 4;
                f += v % 2 != 0 ? 2 * a + (v % 4 == 1) : 0;
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
    mt19937 rng(1234);
    for (int n = 2; n <= 6; n++) {
        SCOPED_TRACE(n);
        Model model(n);
        for (int move = 0; move < 200; move++) {
            const int sign = rng() % 2 ? 1 : -1;
            const int axisX = rng() % 2 ? sign : 0;
            // Layers past the cube turn nothing.
            const int layer = int(rng() % (n + 3));
            model.turn(axisX != 0 ? 0 : 1, sign, layer);
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
