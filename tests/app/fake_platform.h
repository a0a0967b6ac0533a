// The tests' backend: every primitive of platform/platform.h logged as one
// line, handles named w1, dc1, rc1, i1 (n-th of their kind), any primitive
// able to fail on its n-th call. Contexts are real OSMesa ones; the glyph
// lists come from the real FreeType builder. SetForegroundWindow and
// DestroyWindow send WM_ACTIVATE (active, inactive) as Windows does.
#pragma once

#include "platform/platform.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// Forgets everything and frees the contexts left alive; every test starts with it.
void fakeReset();
extern std::vector<std::string> fakeLog;
// By primitive (named as in the log): which of its calls (from 1) fail.
extern std::map<std::string, std::vector<int>> fakeFailAt;
// Counts one call of name; true when the script makes it fail.
bool fakeFails(const std::string& name);
// Answers of the coming message boxes, in order; then the default button.
extern std::vector<int> fakeAnswers;
// Queues a message for the loop once it has found the queue empty `passes` times.
void fakePostAfter(int passes, unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);
// Called at each SwapBuffers, the context still current. DefWindowProc answers 1234.
extern std::function<void()> fakeOnSwap;
// What is held: "class", w1, dc1, rc1 ...; releases of anything not held.
extern std::set<std::string> fakeHeld;
extern int fakeBadReleases;
