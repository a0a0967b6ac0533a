#pragma once

#include "cube/cube.h"
#include "play/play.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>

// Fills m with camera x view spin x turn x cubie translation for (x, y, z).
void cubieModelView(int x, int y, int z, double angle, int ax, int ay, double m[16]);

template <typename Visit>
void forEachVisibleSticker(double angle, int ax, int ay, Visit visit)
{
    double projection[16];
    GLint viewport[4];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int last = cubeSize - 1;
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++) {
                double m[16];
                cubieModelView(x, y, z, angle, ax, ay, m);
                const bool outer[6] = {x == 0, x == last, y == 0, y == last, z == 0, z == last};
                for (int f = 0; f < 6; f++) {
                    if (!outer[f])
                        continue;
                    double n[3] = {0, 0, 0};
                    n[f / 2] = (f % 2) ? 1.0 : -1.0;
                    // Sticker centre and normal in eye space.
                    double c[3], ne[3];
                    for (int i = 0; i < 3; i++) {
                        c[i] = m[12 + i] + m[i] * n[0] + m[4 + i] * n[1] + m[8 + i] * n[2];
                        ne[i] = m[i] * n[0] + m[4 + i] * n[1] + m[8 + i] * n[2];
                    }
                    const double len = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
                    const double facing = -(ne[0] * c[0] + ne[1] * c[1] + ne[2] * c[2]) / len;
                    if (facing < 0.15)
                        continue;
                    double wx, wy, wz;
                    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
                    gluProject(c[0], c[1], c[2], identity, projection, viewport, &wx, &wy, &wz);
                    visit(x, y, z, f, static_cast<int>(wx), static_cast<int>(wy));
                }
            }
}
