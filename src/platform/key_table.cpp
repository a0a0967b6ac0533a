#include "platform/input.h"

bool keys[256] = {};
bool windowActive = true;
