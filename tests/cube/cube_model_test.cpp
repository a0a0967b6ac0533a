// The cube model against an independent geometric model: every cubie side is
// a sticker with a position and an outward normal (doubled coordinates
// centred on the cube), turned by a right-hand quarter rotation.
#include "support/test_game.h"

#include <random>
#include <set>

namespace {

struct Sticker {
    int p[3], n[3], code;
};
CubeGrid expected;

// A size-n cube whose every entry, inner sides included, has its own code; as stickers.
std::vector<Sticker> labelled(int n)
{
    resetGame(n);
    std::vector<Sticker> out;
    EACH_CUBIE(x, y, z) for (int f = 0; f < 6; f++)
    {
        Sticker s = {{2 * x - cubeLast, 2 * y - cubeLast, 2 * z - cubeLast},
                     {0, 0, 0},
                     ((x * 10 + y) * 10 + z) * 6 + f + 1};
        s.n[f / 2] = f % 2 ? 1 : -1, s.p[f / 2] += s.n[f / 2];
        out.push_back(s), cubeLive[x][y][z][f] = s.code;
    }
    return out;
}

void rotate(int v[3], int axis, int sign)
{
    const int a = (axis + 1) % 3, b = (axis + 2) % 3, va = v[a];
    v[a] = -sign * v[b], v[b] = sign * va;
}

void turnModel(std::vector<Sticker>& model, int axisX, int axisY, int layer)
{
    const int axis = axisX ? 0 : 1, sign = axisX ? axisX : axisY;
    for (Sticker& s : model)
        if (sign && (layer == 0 || (s.p[axis] - s.n[axis] + cubeLast) / 2 == layer - 1))
            rotate(s.p, axis, sign), rotate(s.n, axis, sign);
}

bool liveIsModel(const std::vector<Sticker>& model)
{
    std::memset(expected, 0, sizeof expected);
    for (const Sticker& s : model) {
        int f = 0, c[3];
        for (int a = 0; a < 3; a++) {
            f = s.n[a] ? a * 2 + (s.n[a] > 0) : f;
            c[a] = (s.p[a] - s.n[a] + cubeLast) / 2;
        }
        expected[c[0]][c[1]][c[2]][f] = s.code;
    }
    return std::memcmp(expected, cubeLive, sizeof expected) == 0;
}

// One computeCubieColors per cubie, in the drawing order: the turn set, a
// fresh snapshot, no animation.
void commitTurn(int axisX, int axisY, int layer)
{
    turnAxisX = axisX, turnAxisY = axisY, turnLayer = layer, snapshotCube();
    EACH_CUBIE(x, y, z) computeCubieColors(x, y, z);
    turnAxisX = turnAxisY = 0;
}

// One pass of the solved test in the drawing order.
bool passWins()
{
    gameState = STATE_PLAYING, resetFaceCheck();
    EACH_CUBIE(x, y, z) computeCubieColors(x, y, z), checkCubieFaces(x, y, z);
    checkSolved();
    return gameState == STATE_WON;
}

}  // namespace

TEST(CubeModel, TurnsAndScramblesMatchTheGeometricModelForSizesTwoToSix)
{
    std::mt19937 rng(1234);
    for (int n = 2; n <= 6; n++) {
        std::vector<Sticker> model = labelled(n);
        for (int move = 0; move < 200; move++) {
            const int sign = rng() % 2 ? 1 : -1, layer = static_cast<int>(rng() % (n + 3));
            const int ax = rng() % 2 ? sign : 0, ay = ax ? 0 : sign;
            turnModel(model, ax, ay, layer), commitTurn(ax, ay, layer);
            ASSERT_TRUE(liveIsModel(model))
                << "N=" << n << " move " << move << " (" << ax << "," << ay << ") layer " << layer;
        }
        // A turn while one animates only reads.
        turnAnimating = true, turnAxisX = 1;
        EACH_CUBIE(x, y, z) computeCubieColors(x, y, z);
        ASSERT_TRUE(liveIsModel(model)) << "written while animating, N=" << n;
        // The scramble's moves, replayed from its draws (axis, direction, layer).
        std::set<int> drawn;
        seedRandom(n);
        for (int move = 0; move < 150; move++) {
            const int aboutX = randomInt(0, 1), sign = randomInt(-1, 1), layer = randomInt(0, cubeLast);
            drawn.insert({aboutX - 10, sign, 10 + layer});
            turnModel(model, aboutX ? sign : 0, aboutX ? 0 : sign, layer);
        }
        EXPECT_EQ(drawn.size(), 5u + n) << "every value of each range";
        seedRandom(n), scrambleCube(150);
        EXPECT_TRUE(liveIsModel(model) && !turnAnimating && !turnAxisX && !turnAxisY && !turnLayer
                    && !std::memcmp(cubieColors, cubeLive[n - 1][n - 1][n - 1], sizeof(Cubie)))
            << "scramble, selectors, last cubie's colours, N=" << n;
    }
}

TEST(CubeModel, SolvedPatternIsWonInAnyOrientationAndOneStickerOffIsNot)
{
    for (int n = 2; n <= 4; n++) {
        labelled(n), resetCubeSolved();
        // Left yellow, right green, bottom white, top blue, back orange, front red; inner sides black.
        const int l = cubeLast, sides[] = {cubeLive[0][0][0][0], cubeLive[l][l][l][1], cubeLive[0][0][l][2],
                                           cubeLive[0][l][0][3], cubeLive[0][0][0][4], cubeLive[0][0][l][5],
                                           cubeLive[l][0][0][0]};
        EXPECT_EQ(std::vector<int>(sides, sides + 7), (std::vector<int>{5, 6, 2, 1, 4, 3, 0})) << "N=" << n;
        std::mt19937 rng(n);
        for (int step = 0; step < 400; step++) {
            const int sign = rng() % 2 ? 1 : -1;
            rng() % 2 ? commitTurn(sign, 0, 0) : commitTurn(0, sign, 0);
            ASSERT_TRUE(passWins());
        }
        EACH_CUBIE(x, y, z) for (int f = 0; f < 6; f++)
        {
            StickerColor& s = cubeLive[x][y][z][f];
            const StickerColor keep = s;
            s = keep == 0 ? 4 : keep % 6 + 1;
            ASSERT_EQ(passWins(), keep == 0) << x << y << z << " side " << f;
            s = keep;
        }
    }
}
