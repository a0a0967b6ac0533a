#include "support/test_game.h"

#include <png.h>

#include <string>
#include <vector>

using namespace std;

void useGameGraphics()
{
    static unsigned char pixels[800 * 600 * 4];
    static OSMesaContext context = nullptr;
    if (context != nullptr)
        return;
    context = makeSoftwareContext(pixels, 800, 600);
    ASSERT_NE(context, nullptr);
    // Left alive, llvmpipe's worker threads can hang the exit at a barrier.
    atexit([] { OSMesaDestroyContext(context); });
    resizeViewport(800, 600);
    initGraphics();
}

void resetGame(int n, int ms)
{
    memset(cubeLive, 0, sizeof cubeLive);
    memset(keys, 0, sizeof keys);
    setCubeSize(n);
    resetCubeSolved();
    turnAnimating = false;
    turnAxisX = 0;
    turnAxisY = 0;
    selectionActive = false;
    viewAngleX = 0;
    viewAngleY = 0;
    gameState = STATE_MENU;
    fpsValue = 0;
    fpsFrameCount = 0;
    fpsSampleClock = ms;
    frameClock = ms;
    setRunClock(ms);
}

void frameAt(int ms)
{
    setRunClock(ms);
    drawFrame();
}

void eachCubie(const function<void(int, int, int)>& visit)
{
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                visit(x, y, z);
}

void expectPicture(const char* name)
{
    vector<unsigned char> drawn(800 * 600 * 3);
    vector<unsigned char> expected(drawn.size());
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, drawn.data());
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = 800;
    image.height = 600;
    image.format = PNG_FORMAT_RGB;
    const string path = string(TORVELO_TESTS_DIR "/") + name + ".png";
    // Negative strides: GL's first row is the picture's last.
    if (getenv("TORVELO_NEW_PICTURES") != nullptr)
        png_image_write_to_file(&image, path.c_str(), 0, drawn.data(), -800 * 3, nullptr);
    png_image_begin_read_from_file(&image, path.c_str());
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, expected.data(), -800 * 3, nullptr)) << path;
    int differing = 0;
    for (size_t i = 0; i < drawn.size(); i++)
        differing += abs(drawn[i] - expected[i]) > 24;
    EXPECT_LE(differing, 60) << "colour values unlike " << path;
}
