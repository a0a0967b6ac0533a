// Rendering: the GL set-up, the cubie mesh and palette, the cube pass, bitmap
// text and the screen texts. Fixed-function GL in immediate mode; every matrix
// change is undone before returning, unless said otherwise.
#pragma once

#include "platform/platform.h"

// ---- GL set-up ----

// The fixed text space and the size passed to every window creation.
extern const int screenWidth;   // 800
extern const int screenHeight;  // 600

// Viewport and perspective for a client size. Called at the end of each
// window creation and on every resize message.
void resizeViewport(int width, int height);
// Fixed GL state, fonts, and a freshly reset and scrambled cube. Called once
// per created GL context, with it current. Always succeeds.
bool initGraphics();

// ---- Cubie mesh and palette ----

// One cubie in its own space (-1..1) from cubieColors; marked adds the
// flashing outline in front of its +Z side. drawCube, per cubie.
void drawCubie(bool marked);
// Current colour for a sticker code; black for 0 and anything unknown.
// drawCubie, also between glBegin and glEnd.
void setStickerColor(int code);
// glColor3d of 0..255 components.
void setColor255(double red, double green, double blue);

// ---- Cube pass ----

// Draws the whole cube and moves the model on: turn clock, commits, solved
// test. drawFrame, once per frame. Leaves the camera transform on the
// model-view matrix.
void drawCube();
// The whole-cube spin. drawCube, per cubie.
void applyViewRotation();

// ---- Bitmap text ----

// First of 255 display lists; list base + c draws character code c.
typedef unsigned int FontId;
extern FontId fontTitle;
extern FontId fontCredit;
extern FontId fontMenu;
extern FontId fontTimer;
extern FontId fontFps;

// The five fonts as glyph lists in the current context. initGraphics, once
// per context.
void buildFonts();
// Glyph lists for codes 0..254 of font into base, then the font is deleted.
void buildFont(const FontId& base, const PlatformHandle& font);
// printf-style text at (x, y) of the 800 x 600 text space. The screen texts.
void printText(const FontId& font, float red, float green, float blue, int x, int y, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 7, 8)))
#endif
    ;

// ---- Screen texts and frame counter ----

// The last formatted play time; the winner screen shows it frozen.
extern char timeText[32];
// The frame counter: the rate shown, the frames drawn since the last
// measurement and the run clock at it. drawFps alone writes them.
extern float fpsValue;
extern int fpsFrameCount;
extern int fpsSampleClock;

void drawCredit();             // every screen
void drawTitle();              // title screen
void drawMenuOptions();        // title screen
void drawTimer(bool running);  // play (running) and winner (frozen)
void drawWinner();             // winner screen
void drawFps();                // every screen; also measures the rate

// Play time of elapsedMs as "h:mm:ss.mmm", the fields after the hours
// padded with blanks, not zeros ("0: 1: 5.  5"), into out. drawTimer.
void formatPlayTime(char* out, int outSize, int elapsedMs);
// One frame-rate measurement step: returns true and updates the three
// counters when more than 200 ms have passed since the last one. drawFps.
bool measureFps(int clock);
