// Windows entry of the GUI program: WinMain hands over to appMain.
// Supports: the plain GUI start-up. Does not: read the command line or
// the show command (the window code shows its window itself).
#include <windows.h>

#include "app/app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return appMain();
}
