#include "platform/graphics.h"

#include <GL/gl.h>
#include <GL/glu.h>

const int screenWidth = 800;
const int screenHeight = 600;

void resizeViewport(int width, int height)
{
    // A minimised window reports 0 x 0.
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), static_cast<double>(0.1f), 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
