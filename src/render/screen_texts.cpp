#include "render/render.h"

#include "play/play.h"

#include <cmath>
#include <cstdio>

char timeText[32] = {};
float fpsValue = 0.0f;
int fpsFrameCount = 0;
int fpsSampleClock = 0;

static const char* const creditLine = "created by Pelmaz  -=- pelmaz@example.org -=- example.org";

static float cosf1(double v)
{
    return static_cast<float>(std::cos(v));
}
static float sinf1(double v)
{
    return static_cast<float>(std::sin(v));
}

void drawCredit()
{
    const double s = frameClock / 1000.0;
    printText(fontCredit, cosf1(s), cosf1(s), cosf1(s), 5, 3, "%s", creditLine);
}

void drawTitle()
{
    const int k = (frameClock / 100) % 1000;
    printText(fontTitle, cosf1(k), sinf1(k), 1.0f, 220, screenHeight - 100, "Torvelo");
}

void drawMenuOptions()
{
    const int k = (frameClock / 100) % 1000;
    printText(fontMenu, cosf1(k), sinf1(k), 1.0f, 50, screenHeight / 2 - 200, "[1] Medium");
    printText(fontMenu, 1.0f, cosf1(k), sinf1(k), 50, screenHeight / 2 - 250, "[2] Harder Better Stronger");
}

void formatPlayTime(char* out, int outSize, int elapsedMs)
{
    const int hours = elapsedMs / 3600000;
    const int minutes = (elapsedMs / 60000) % 60;
    const int seconds = (elapsedMs / 1000) % 60;
    const int millis = elapsedMs % 1000;
    std::snprintf(out, static_cast<size_t>(outSize), "%i:%2i:%2i.%3i", hours, minutes, seconds, millis);
}

void drawTimer(bool running)
{
    if (running) {
        const int elapsed = clockDifference(frameClock, gameStartClock);
        const double e = elapsed;
        formatPlayTime(timeText, sizeof timeText, elapsed);
        printText(fontTimer, cosf1(e), sinf1(e), 1.0f, screenWidth - 200, screenHeight - 50, "%s", timeText);
    } else {
        printText(fontMenu, cosf1(0.0), sinf1(0.0), 1.0f, 250, screenHeight - 300, "%s", timeText);
    }
}

void drawWinner()
{
    const int w = (frameClock / 180) % 1000;
    printText(fontTitle, cosf1(w), sinf1(w), 1.0f, 180, screenHeight - 180, "!!! WINNER !!!");
    drawTimer(false);
}

bool measureFps(int clock)
{
    const double dt = clockDifference(clock, fpsSampleClock);
    if (!(dt > 200.0))
        return false;
    fpsValue = static_cast<float>(fpsFrameCount / (dt / 1000.0));
    fpsFrameCount = 0;
    fpsSampleClock = clock;
    return true;
}

void drawFps()
{
    printText(fontFps, 0.7f, 0.7f, 0.7f, screenWidth - 60, 10, "%5.1f fps", static_cast<double>(fpsValue));
    measureFps(frameClock);
    fpsFrameCount++;
}
