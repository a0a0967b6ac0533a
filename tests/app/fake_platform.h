// The tests' backend below the window code: each primitive of
// platform/platform.h logged as its name and arguments, handles named by
// kind and number (w1, dc1, rc1; the instance i1), drawing on the tests'
// software GL context, boxes answered from a list, messages from a script.
#pragma once

#include "app/app.h"
#include "platform/winapi_names.h"

#include <string>
#include <vector>

struct FakeMessage {
    int afterEmptyPasses;  // taken once the queue was found empty that often
    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
};

extern std::vector<std::string> fakeLog;
extern std::string fakeFailAt;        // "Name n": the n-th call of Name fails
extern std::vector<int> fakeAnswers;  // the coming boxes' buttons; 0 after them
extern std::vector<FakeMessage> fakeScript;
extern void (*fakeOnSwap)();

// Forgets every call and handle; each run starts so.
void fakeReset();
// Logs line, with " failed" when it is the call fakeFailAt names.
bool fakeCall(const std::string& line);
