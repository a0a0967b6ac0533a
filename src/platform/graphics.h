// GL set-up that needs no window system: viewport, projection, fixed state.
#pragma once

// The fixed text space and the size passed to every window creation.
extern const int screenWidth;   // 800
extern const int screenHeight;  // 600

// Viewport and perspective for a client size. Called at the end of each
// window creation and on every resize message.
void resizeViewport(int width, int height);
// Fixed GL state, fonts, and a freshly reset and scrambled cube. Called once
// per created GL context, with it current. Always succeeds; the window tests
// make it fail by wrapping it at link time (tests/app/CMakeLists.txt).
bool initGraphics();
