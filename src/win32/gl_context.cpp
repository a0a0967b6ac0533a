// Pixel format and the GL rendering context, on GDI and WGL.
// Supports: the closest format the driver offers to the window code's
// request, one context made current on the window's DC, buffer swaps.
// Does not: ask for extended formats or context attributes (WGL_ARB_*).
#include <windows.h>

#include <cstring>

#include "platform/platform.h"

static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "the request record is 40 bytes");

// Every field the request leaves out is zero: left to the driver.
static PIXELFORMATDESCRIPTOR toDescriptor(const PixelFormatRequest* request)
{
    PIXELFORMATDESCRIPTOR descriptor;
    std::memset(&descriptor, 0, sizeof descriptor);
    descriptor.nSize = request->size;
    descriptor.nVersion = request->version;
    descriptor.dwFlags = request->flags;
    descriptor.iPixelType = request->pixelType;
    descriptor.cColorBits = request->colorBits;
    descriptor.cAlphaBits = request->alphaBits;
    descriptor.cAccumBits = request->accumBits;
    descriptor.cDepthBits = request->depthBits;
    descriptor.cStencilBits = request->stencilBits;
    descriptor.cAuxBuffers = request->auxBuffers;
    descriptor.iLayerType = request->layerType;
    return descriptor;
}

int platformChoosePixelFormat(PlatformHandle dc, const PixelFormatRequest* request)
{
    const PIXELFORMATDESCRIPTOR descriptor = toDescriptor(request);
    return ChoosePixelFormat(static_cast<HDC>(dc), &descriptor);
}

bool platformSetPixelFormat(PlatformHandle dc, int format, const PixelFormatRequest* request)
{
    const PIXELFORMATDESCRIPTOR descriptor = toDescriptor(request);
    return SetPixelFormat(static_cast<HDC>(dc), format, &descriptor) != FALSE;
}

PlatformHandle platformCreateContext(PlatformHandle dc)
{
    return wglCreateContext(static_cast<HDC>(dc));
}

bool platformMakeCurrent(PlatformHandle dc, PlatformHandle context)
{
    return wglMakeCurrent(static_cast<HDC>(dc), static_cast<HGLRC>(context)) != FALSE;
}

bool platformDeleteContext(PlatformHandle context)
{
    return wglDeleteContext(static_cast<HGLRC>(context)) != FALSE;
}

void platformSwapBuffers(PlatformHandle dc)
{
    SwapBuffers(static_cast<HDC>(dc));
}
