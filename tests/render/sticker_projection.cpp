#include "sticker_projection.h"

void cubieModelView(int x, int y, int z, double angle, int ax, int ay, double m[16])
{
    // Built here from first principles rather than read back from the pass,
    // so a wrong camera or order in the pass shows as wrong pixels.
    const double offset = cubeSize / 2.0 - 0.5;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslated(0, 0, -4.5 * cubeSize);
    glRotated(45, 1, 1, 0);
    glRotated(viewAngleY, 0, 1, 0);
    glRotated(viewAngleX, 1, 0, 0);
    if (angle != 0.0)
        glRotated(angle, ax, ay, 0);
    glTranslated((x - offset) * 2, (y - offset) * 2, (z - offset) * 2);
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    glPopMatrix();
}
