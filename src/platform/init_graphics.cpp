#include "platform/graphics.h"

#include "cube/cube.h"
#include "render/render.h"

#include <GL/gl.h>

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
