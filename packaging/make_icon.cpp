// Draws the solved 3x3x3 cube with the game's own cube pass on a software GL
// context and writes it as a PAM image with alpha (the background is clear).
// packaging/CMakeLists.txt turns it into the 256 x 256 icon; run once, the
// PNG is committed.
//
// usage: make_icon OUTPUT.pam
#include "cube/cube.h"
#include "cube/game_state.h"
#include "headless/headless.h"
#include "render/render.h"

#include <GL/gl.h>

#include <cstdio>
#include <vector>

// Twice the game's 800 x 600, so the downscale smooths the edges.
static const int WIDTH = 1600;
static const int HEIGHT = 1200;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.pam\n", argv[0]);
        return 2;
    }
    std::vector<unsigned char> pixels(static_cast<size_t>(WIDTH) * HEIGHT * 4);
    OSMesaContext context = makeSoftwareContext(pixels.data(), WIDTH, HEIGHT);
    if (!context) {
        std::fprintf(stderr, "no software GL context\n");
        return 1;
    }
    OSMesaPixelStore(OSMESA_Y_UP, 0);

    resizeViewport(WIDTH, HEIGHT);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    // Alpha 0 outside the cube: the icon's background shows through.
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    setCubeSize(3);
    resetCubeSolved();
    gameState = STATE_MENU;
    drawCube();
    glFinish();

    FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n", WIDTH,
                 HEIGHT);
    const bool written = std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    OSMesaDestroyContext(context);
    return std::fclose(out) == 0 && written ? 0 : 1;
}
