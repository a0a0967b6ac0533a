// The tests' backend: every primitive of platform/platform.h logged as one
// line, handles named w1, dc1, rc1, i1 (n-th made of their kind). The context
// is a real OSMesa one.
#pragma once

#include "app/app.h"
#include "platform/winapi_names.h"

#include <map>
#include <string>
#include <vector>

// Forgets everything and frees the context; every run starts with it.
void fakeReset();
// Logs a call as its name and arguments; false, logged " failed", on the call fakeFailAt names.
__attribute__((format(printf, 1, 2))) bool fakeCall(const char* format, ...);
extern std::vector<std::string> fakeLog;
extern std::map<std::string, int> fakeFailAt;  // by call name: which of its calls (from 1) fails
extern std::vector<int> fakeAnswers;           // of the coming message boxes, in order; then 0
extern std::vector<std::pair<int, PlatformMessage>>
    fakeScript;               // each once the queue was found empty that often
extern void (*fakeOnSwap)();  // at each SwapBuffers, the context current
