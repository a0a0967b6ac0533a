// The tests' backend: every primitive of platform/platform.h, recorded in
// order, each one able to fail on its n-th call. Glyph lists come from the
// real FreeType builder and the GL context is a real OSMesa one, so
// initGraphics and the frames run for real.
//
// Supports: a scripted message queue (now, or after k empty passes of the
// loop), scripted message box answers, WM_ACTIVATE sent synchronously by
// SetForegroundWindow (active) and DestroyWindow (inactive) as Windows does.
// Does not: send WM_SIZE or WM_PAINT on its own, change any real display
// mode, or show a cursor.
#pragma once

#include "platform/platform.h"

#include <functional>
#include <string>
#include <vector>

struct FakeBox {
    std::string text;
    std::string caption;
    unsigned flags;
};

// Forgets the log, the scripts and the queue; frees any context left alive.
// Every test starts with it.
void fakeReset();

// Every call so far, one line each: the primitive's name without "platform",
// then its key arguments, handles as w1, dc1, rc1, i1 (n-th of their kind).
const std::vector<std::string>& fakeCalls();
// The same lines cut at the first space.
std::vector<std::string> fakeCallNames();
// How many lines are exactly `line`.
int fakeCount(const std::string& line);

// The nth call (from 1) of the primitive named as in the log fails the way
// the Windows call does; nothing it would have acquired or released changes.
void fakeFailCall(const std::string& name, int nth);

// Answers for the coming message boxes, in order; past the script a box
// answers with its default button (Yes for Yes/No, else OK).
void fakeAnswerBoxes(const std::vector<int>& answers);
const std::vector<FakeBox>& fakeBoxes();

// Queues a message for the loop now, or once the loop has found the queue
// empty `passes` times. Messages go to the window alive when they are taken.
void fakePostMessage(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);
void fakePostMessageAfterPasses(int passes, unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);
// Passes that found the queue empty so far.
int fakeEmptyPasses();

// Called at each SwapBuffers, with the context still current.
void fakeOnSwap(std::function<void()> hook);
// Called after each logged call, with its line.
void fakeOnCall(std::function<void(const std::string&)> hook);

// What DefWindowProc answers (0 unless set).
void fakeSetDefWindowProcResult(intptr_t result);

// Windows, device contexts and contexts the fake still holds.
int fakeHeldHandles();
// True while the class "OpenGL" is registered.
bool fakeClassRegistered();
// Releases of something not held (twice, or never acquired). Must stay 0.
int fakeBadReleases();
