#include "render/render.h"

#include "cube/cube.h"

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
    gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), static_cast<double>(0.1f),
                   200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool initGraphics()
{
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glLineWidth(3.0f);
    buildFonts();
    resetCubeSolved();
    scrambleCube(150);
    return true;
}
