#include "game_invariants.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "play/play.h"
#include "render/render.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

const int MAX_CUBIES = 64;

// One cubie as its outer stickers say, the same wherever a rotation takes
// it: kind (outer sides) * 1000, then its colours. A corner's colours are
// read in one handedness and turned to start at the smallest, so a corner
// whose twist was mirrored no longer matches any solved corner.
struct CubeSignature {
    int count;
    int cubies[MAX_CUBIES];
};

CubeSignature solvedSignature[5];  // by size, 3 and 4
GLint baseModelviewDepth = 0;
GLint baseProjectionDepth = 0;
GLint baseAttribDepth = 0;
GLint baseListBase = 0;
char message[256];

const char* broken(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    return message;
}

// -1 for the low side of an axis, +1 for the high side, 0 inside.
int sideOf(int c)
{
    if (c == 0)
        return -1;
    return c == cubeLast ? 1 : 0;
}

int cubieSignature(int x, int y, int z)
{
    const Cubie& c = cubeLive[x][y][z];
    const int sx = sideOf(x), sy = sideOf(y), sz = sideOf(z);
    int colours[3];
    int n = 0;
    const int xSide = sx < 0 ? 0 : 1, ySide = sy < 0 ? 2 : 3, zSide = sz < 0 ? 4 : 5;
    if (sx != 0 && sy != 0 && sz != 0) {
        colours[0] = c[xSide];
        // Outward normals in a right-handed order.
        colours[1] = sx * sy * sz > 0 ? c[ySide] : c[zSide];
        colours[2] = sx * sy * sz > 0 ? c[zSide] : c[ySide];
        n = 3;
        const int smallest = static_cast<int>(std::min_element(colours, colours + 3) - colours);
        std::rotate(colours, colours + smallest, colours + 3);
    } else {
        if (sx != 0)
            colours[n++] = c[xSide];
        if (sy != 0)
            colours[n++] = c[ySide];
        if (sz != 0)
            colours[n++] = c[zSide];
        std::sort(colours, colours + n);
    }
    int signature = n * 1000;
    for (int i = 0; i < n; i++)
        signature += colours[i] * (i == 0 ? 100 : i == 1 ? 10 : 1);
    return signature;
}

void signatureOfLiveCube(CubeSignature& out)
{
    out.count = 0;
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                out.cubies[out.count++] = cubieSignature(x, y, z);
    std::sort(out.cubies, out.cubies + out.count);
}

bool isOuterSide(int x, int y, int z, int face)
{
    const int c[3] = {x, y, z};
    const int axis = face / 2;
    return face % 2 == 0 ? c[axis] == 0 : c[axis] == cubeLast;
}

const char* brokenStickers()
{
    int perColour[7] = {};
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                for (int f = 0; f < 6; f++) {
                    const int code = cubeLive[x][y][z][f];
                    if (!isOuterSide(x, y, z, f)) {
                        if (code != 0)
                            return broken("inner side %d of cubie (%d,%d,%d) holds colour %d", f, x, y, z, code);
                    } else if (code < 1 || code > 6) {
                        return broken("outer side %d of cubie (%d,%d,%d) holds code %d", f, x, y, z, code);
                    } else {
                        perColour[code]++;
                    }
                }
    for (int colour = 1; colour <= 6; colour++)
        if (perColour[colour] != cubeSize * cubeSize)
            return broken("colour %d shows on %d outer sides, not %d", colour, perColour[colour],
                          cubeSize * cubeSize);

    CubeSignature live;
    signatureOfLiveCube(live);
    const CubeSignature& solved = solvedSignature[cubeSize];
    for (int i = 0; i < live.count; i++)
        if (live.cubies[i] != solved.cubies[i])
            return broken("the cubies are no arrangement of the solved %d-cube's (cubie %04d where %04d was due)",
                          cubeSize, live.cubies[i], solved.cubies[i]);
    return nullptr;
}

const char* brokenPlayState()
{
    if (gameState != STATE_MENU && gameState != STATE_PLAYING && gameState != STATE_WON)
        return broken("game state %d", gameState);
    if (selectionActive &&
        (selectedColumn < 0 || selectedColumn > cubeLast || selectedRow < 0 || selectedRow > cubeLast))
        return broken("selection (%d,%d) outside the %d-cube", selectedColumn, selectedRow, cubeSize);
    if (!turnAnimating) {
        if (turnAxisX != 0 || turnAxisY != 0 || turnAxisZ != 0)
            return broken("no turn, yet axis (%d,%d,%d) is set", turnAxisX, turnAxisY, turnAxisZ);
        if (turnFinished)
            return broken("a finished turn outlived its pass");
    } else {
        const bool aboutX = turnAxisX == 1 || turnAxisX == -1;
        const bool aboutY = turnAxisY == 1 || turnAxisY == -1;
        if (aboutX == aboutY || (aboutX && turnAxisY != 0) || (aboutY && turnAxisX != 0) || turnAxisZ != 0)
            return broken("a turn about (%d,%d,%d)", turnAxisX, turnAxisY, turnAxisZ);
        if (turnLayer < 0 || turnLayer > cubeSize)
            return broken("a turn of layer %d on a %d-cube", turnLayer, cubeSize);
    }
    if (!(viewAngleX >= 0.0f && viewAngleX < 360.0f && viewAngleY >= 0.0f && viewAngleY < 360.0f))
        return broken("view spin (%g, %g) outside [0, 360)", static_cast<double>(viewAngleX),
                      static_cast<double>(viewAngleY));
    // 596:31:23.647 is the longest play time a run clock can reach.
    if (std::memchr(timeText, '\0', 14) == nullptr)
        return broken("the timer text is longer than 13 characters");
    if (!std::isfinite(fpsValue) || fpsValue < 0.0f)
        return broken("frame rate %g", static_cast<double>(fpsValue));
    return nullptr;
}

const char* brokenGlState()
{
    GLint modelview = 0, projection = 0, attrib = 0, listBase = 0, mode = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelview);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projection);
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attrib);
    glGetIntegerv(GL_LIST_BASE, &listBase);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR)
        return broken("GL error 0x%x", error);
    if (modelview != baseModelviewDepth || projection != baseProjectionDepth)
        return broken("matrix stacks at %d/%d, were %d/%d", modelview, projection, baseModelviewDepth,
                      baseProjectionDepth);
    if (attrib != baseAttribDepth || listBase != baseListBase)
        return broken("attribute stack %d (was %d), list base %d (was %d)", attrib, baseAttribDepth, listBase,
                      baseListBase);
    if (mode != GL_MODELVIEW)
        return broken("matrix mode 0x%x, not the model-view", mode);
    return nullptr;
}

} // namespace

void recordInvariantBaseline()
{
    for (int n = 3; n <= 4; n++) {
        cubeSize = n;
        cubeLast = n - 1;
        resetCubeSolved();
        signatureOfLiveCube(solvedSignature[n]);
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &baseModelviewDepth);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &baseProjectionDepth);
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &baseAttribDepth);
    glGetIntegerv(GL_LIST_BASE, &baseListBase);
}

const char* brokenInvariant()
{
    if (cubeSize != 3 && cubeSize != 4)
        return broken("cube size %d", cubeSize);
    if (cubeLast != cubeSize - 1)
        return broken("last coordinate %d on a %d-cube", cubeLast, cubeSize);
    if (const char* why = brokenGlState())
        return why;
    if (const char* why = brokenPlayState())
        return why;
    return brokenStickers();
}
