#include "headless/headless.h"

OSMesaContext makeSoftwareContext(unsigned char* pixels, int width, int height)
{
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
    if (context && !OSMesaMakeCurrent(context, pixels, GL_UNSIGNED_BYTE, width, height)) {
        OSMesaDestroyContext(context);
        return nullptr;
    }
    return context;
}
