#include "support/text_pixels.h"

#include <cstddef>

namespace {
const int WIDTH = 800;
const int HEIGHT = 600;

bool inside(Box b, int x, int y)
{
    return x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1;
}

const unsigned char* at(const unsigned char* frame, int x, int y)
{
    return frame + (static_cast<std::size_t>(y) * WIDTH + x) * 3;
}
}

int countColour(const unsigned char* frame, Box box, Rgb colour)
{
    int n = 0;
    for (int y = box.y0 < 0 ? 0 : box.y0; y <= box.y1 && y < HEIGHT; y++)
        for (int x = box.x0 < 0 ? 0 : box.x0; x <= box.x1 && x < WIDTH; x++) {
            const unsigned char* p = at(frame, x, y);
            if (p[0] == colour.r && p[1] == colour.g && p[2] == colour.b)
                n++;
        }
    return n;
}

int countLit(const unsigned char* frame, Box box)
{
    int n = 0;
    for (int y = box.y0 < 0 ? 0 : box.y0; y <= box.y1 && y < HEIGHT; y++)
        for (int x = box.x0 < 0 ? 0 : box.x0; x <= box.x1 && x < WIDTH; x++) {
            const unsigned char* p = at(frame, x, y);
            if (p[0] || p[1] || p[2])
                n++;
        }
    return n;
}

int countLitOutside(const unsigned char* frame, const Box* boxes, int count)
{
    int n = 0;
    for (int y = 0; y < HEIGHT; y++)
        for (int x = 0; x < WIDTH; x++) {
            const unsigned char* p = at(frame, x, y);
            if (!(p[0] || p[1] || p[2]))
                continue;
            bool covered = false;
            for (int i = 0; i < count && !covered; i++)
                covered = inside(boxes[i], x, y);
            if (!covered)
                n++;
        }
    return n;
}
