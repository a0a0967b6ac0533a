#include "render/render.h"

#include "cube/cube.h"
#include "play/play.h"

#include <GL/gl.h>
#include <cmath>

void setColor255(double red, double green, double blue)
{
    glColor3d(red / 255.0, green / 255.0, blue / 255.0);
}

void setStickerColor(int code)
{
    switch (code) {
    case BLUE:
        setColor255(36, 6, 153);
        break;
    case WHITE:
        setColor255(255, 255, 255);
        break;
    case RED:
        setColor255(225, 0, 0);
        break;
    case ORANGE:
        setColor255(255, 120, 0);
        break;
    case YELLOW:
        setColor255(233, 243, 10);
        break;
    case GREEN:
        setColor255(28, 185, 0);
        break;
    default:
        glColor3f(0.0f, 0.0f, 0.0f);
        break;
    }
}

void drawCubie(bool marked)
{
    const float e = 0.05f;
    const float p = 1.0f - e;
    const float n = -1.0f + e;

    // Stickers, each counter-clockwise seen from outside.
    glBegin(GL_QUADS);
    setStickerColor(cubieColors[FACE_TOP]);
    glVertex3f(p, 1, n);
    glVertex3f(n, 1, n);
    glVertex3f(n, 1, p);
    glVertex3f(p, 1, p);
    setStickerColor(cubieColors[FACE_BOTTOM]);
    glVertex3f(p, -1, p);
    glVertex3f(n, -1, p);
    glVertex3f(n, -1, n);
    glVertex3f(p, -1, n);
    setStickerColor(cubieColors[FACE_FRONT]);
    glVertex3f(p, p, 1);
    glVertex3f(n, p, 1);
    glVertex3f(n, n, 1);
    glVertex3f(p, n, 1);
    setStickerColor(cubieColors[FACE_BACK]);
    glVertex3f(p, n, -1);
    glVertex3f(n, n, -1);
    glVertex3f(n, p, -1);
    glVertex3f(p, p, -1);
    setStickerColor(cubieColors[FACE_LEFT]);
    glVertex3f(-1, p, p);
    glVertex3f(-1, p, n);
    glVertex3f(-1, n, n);
    glVertex3f(-1, n, p);
    setStickerColor(cubieColors[FACE_RIGHT]);
    glVertex3f(1, p, n);
    glVertex3f(1, p, p);
    glVertex3f(1, n, p);
    glVertex3f(1, n, n);
    glEnd();

    // Edge bevels: each joins the borders of two neighbouring stickers.
    glBegin(GL_QUADS);
    setStickerColor(NO_STICKER);
    glVertex3f(p, p, 1);
    glVertex3f(n, p, 1);
    glVertex3f(n, 1, p);
    glVertex3f(p, 1, p);
    glVertex3f(p, p, -1);
    glVertex3f(n, p, -1);
    glVertex3f(n, 1, n);
    glVertex3f(p, 1, n);
    glVertex3f(p, n, 1);
    glVertex3f(n, n, 1);
    glVertex3f(n, -1, p);
    glVertex3f(p, -1, p);
    glVertex3f(p, n, -1);
    glVertex3f(n, n, -1);
    glVertex3f(n, -1, n);
    glVertex3f(p, -1, n);
    glVertex3f(p, p, 1);
    glVertex3f(p, n, 1);
    glVertex3f(1, n, p);
    glVertex3f(1, p, p);
    glVertex3f(p, p, -1);
    glVertex3f(p, n, -1);
    glVertex3f(1, n, n);
    glVertex3f(1, p, n);
    glVertex3f(n, p, 1);
    glVertex3f(n, n, 1);
    glVertex3f(-1, n, p);
    glVertex3f(-1, p, p);
    glVertex3f(n, p, -1);
    glVertex3f(n, n, -1);
    glVertex3f(-1, n, n);
    glVertex3f(-1, p, n);
    glVertex3f(p, 1, p);
    glVertex3f(p, 1, n);
    glVertex3f(1, p, n);
    glVertex3f(1, p, p);
    glVertex3f(p, -1, p);
    glVertex3f(p, -1, n);
    glVertex3f(1, n, n);
    glVertex3f(1, n, p);
    glVertex3f(n, 1, p);
    glVertex3f(n, 1, n);
    glVertex3f(-1, p, n);
    glVertex3f(-1, p, p);
    glVertex3f(n, -1, p);
    glVertex3f(n, -1, n);
    glVertex3f(-1, n, n);
    glVertex3f(-1, n, p);
    glEnd();

    // Corner bevels, black from the colour left by the edges.
    glBegin(GL_TRIANGLES);
    glVertex3f(p, p, 1);
    glVertex3f(p, 1, p);
    glVertex3f(1, p, p);
    glVertex3f(p, n, 1);
    glVertex3f(p, -1, p);
    glVertex3f(1, n, p);
    glVertex3f(n, n, 1);
    glVertex3f(n, -1, p);
    glVertex3f(-1, n, p);
    glVertex3f(n, p, 1);
    glVertex3f(n, 1, p);
    glVertex3f(-1, p, p);
    glVertex3f(p, p, -1);
    glVertex3f(p, 1, n);
    glVertex3f(1, p, n);
    glVertex3f(p, n, -1);
    glVertex3f(p, -1, n);
    glVertex3f(1, n, n);
    glVertex3f(n, n, -1);
    glVertex3f(n, -1, n);
    glVertex3f(-1, n, n);
    glVertex3f(n, p, -1);
    glVertex3f(n, 1, n);
    glVertex3f(-1, p, n);
    glEnd();

    if (marked) {
        // The outline's colour cycles with the clock; GL clamps the channels.
        const double t = frameClock / 100.0;
        glColor3f(static_cast<float>(std::cos(t)), static_cast<float>(std::sin(t)),
                  static_cast<float>(std::tan(t)));
        glBegin(GL_LINE_LOOP);
        glVertex3f(1, 1, 1.1f);
        glVertex3f(-1, 1, 1.1f);
        glVertex3f(-1, -1, 1.1f);
        glVertex3f(1, -1, 1.1f);
        glEnd();
    }
}
