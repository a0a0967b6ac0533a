// Windows message, key, style and dialog constants with their Windows values,
// so game code and the window code above the backends can use the names the
// platform spells without including any platform header.
#pragma once

// Virtual-key codes read by the game (letters and digits are their ASCII
// upper-case codes).
const int VK_ESCAPE = 0x1B;
const int VK_LEFT = 0x25;
const int VK_UP = 0x26;
const int VK_RIGHT = 0x27;
const int VK_DOWN = 0x28;
const int VK_DELETE = 0x2E;
const int VK_F1 = 0x70;

// The other virtual-key codes a backend's key map hands on.
const int VK_BACK = 0x08;
const int VK_TAB = 0x09;
const int VK_CLEAR = 0x0C;
const int VK_RETURN = 0x0D;
const int VK_SHIFT = 0x10;
const int VK_CONTROL = 0x11;
const int VK_MENU = 0x12;  // Alt
const int VK_PAUSE = 0x13;
const int VK_CAPITAL = 0x14;
const int VK_SPACE = 0x20;
const int VK_PRIOR = 0x21;  // Page Up
const int VK_NEXT = 0x22;   // Page Down
const int VK_END = 0x23;
const int VK_HOME = 0x24;
const int VK_SNAPSHOT = 0x2C;
const int VK_INSERT = 0x2D;
const int VK_LWIN = 0x5B;
const int VK_RWIN = 0x5C;
const int VK_APPS = 0x5D;
const int VK_NUMPAD0 = 0x60;  // to VK_NUMPAD9 = 0x69
const int VK_MULTIPLY = 0x6A;
const int VK_ADD = 0x6B;
const int VK_SUBTRACT = 0x6D;
const int VK_DECIMAL = 0x6E;
const int VK_DIVIDE = 0x6F;
const int VK_F4 = 0x73;
const int VK_F10 = 0x79;
const int VK_NUMLOCK = 0x90;
const int VK_SCROLL = 0x91;

// Window messages that reach windowProc.
const unsigned WM_SIZE = 0x0005;
const unsigned WM_ACTIVATE = 0x0006;
const unsigned WM_PAINT = 0x000F;
const unsigned WM_CLOSE = 0x0010;
const unsigned WM_QUIT = 0x0012;
const unsigned WM_KEYDOWN = 0x0100;
const unsigned WM_KEYUP = 0x0101;
const unsigned WM_SYSKEYDOWN = 0x0104;
const unsigned WM_SYSKEYUP = 0x0105;
const unsigned WA_INACTIVE = 0;

// Message boxes.
const unsigned MB_OK = 0x00000000;
const unsigned MB_YESNO = 0x00000004;
const unsigned MB_ICONERROR = 0x00000010;
const unsigned MB_ICONQUESTION = 0x00000020;
const unsigned MB_ICONWARNING = 0x00000030;
const unsigned MB_ICONINFORMATION = 0x00000040;
const int IDOK = 1;
const int IDCANCEL = 2;
const int IDYES = 6;
const int IDNO = 7;

// Window styles.
const unsigned long WS_POPUP = 0x80000000UL;
const unsigned long WS_CLIPSIBLINGS = 0x04000000UL;
const unsigned long WS_CLIPCHILDREN = 0x02000000UL;
const unsigned long WS_OVERLAPPEDWINDOW = 0x00CF0000UL;
const unsigned long WS_EX_WINDOWEDGE = 0x00000100UL;
const unsigned long WS_EX_APPWINDOW = 0x00040000UL;

// Pixel-format request.
const unsigned long PFD_DOUBLEBUFFER = 0x00000001UL;
const unsigned long PFD_DRAW_TO_WINDOW = 0x00000004UL;
const unsigned long PFD_SUPPORT_OPENGL = 0x00000020UL;
const unsigned char PFD_TYPE_RGBA = 0;
const unsigned char PFD_MAIN_PLANE = 0;

// Font request.
const int ANSI_CHARSET = 0;
const int OUT_TT_PRECIS = 4;
const int CLIP_DEFAULT_PRECIS = 0;
const int ANTIALIASED_QUALITY = 4;

inline unsigned loWord(unsigned long long v)
{
    return static_cast<unsigned>(v & 0xFFFF);
}
inline unsigned hiWord(unsigned long long v)
{
    return static_cast<unsigned>((v >> 16) & 0xFFFF);
}
