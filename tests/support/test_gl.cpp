#include "support/test_gl.h"

#include <GL/osmesa.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
const int WIDTH = 800;
const int HEIGHT = 600;
OSMesaContext context = nullptr;
std::vector<unsigned char> buffer;
}

void useTestGLContext()
{
    if (!context) {
        context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
        if (!context) {
            std::fprintf(stderr, "OSMesaCreateContextExt failed\n");
            std::abort();
        }
        buffer.assign(static_cast<size_t>(WIDTH) * HEIGHT * 4, 0);
        // Left alive, llvmpipe's worker threads can hang the exit at a barrier.
        std::atexit([] { OSMesaDestroyContext(context); });
    }
    if (!OSMesaMakeCurrent(context, buffer.data(), GL_UNSIGNED_BYTE, WIDTH, HEIGHT)) {
        std::fprintf(stderr, "OSMesaMakeCurrent failed\n");
        std::abort();
    }
    OSMesaPixelStore(OSMESA_Y_UP, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

Rgb readPixel(int x, int y)
{
    unsigned char p[4] = {};
    glFinish();
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return Rgb{p[0], p[1], p[2]};
}

void readFrame(unsigned char* rgb)
{
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}

void saveFramePpm(const char* path)
{
    std::vector<unsigned char> rgb(static_cast<size_t>(WIDTH) * HEIGHT * 3);
    readFrame(rgb.data());
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return;
    std::fprintf(f, "P6\n%d %d\n255\n", WIDTH, HEIGHT);
    for (int y = HEIGHT - 1; y >= 0; y--)
        std::fwrite(&rgb[static_cast<size_t>(y) * WIDTH * 3], 1, WIDTH * 3, f);
    std::fclose(f);
}
