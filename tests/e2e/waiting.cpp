#include "waiting.h"

bool WaitUntil(const std::function<bool()>& condition) {
    const ULONGLONG guard = GetTickCount64() + kHangGuardMs;
    while (!condition()) {
        if (GetTickCount64() > guard) return false;
        Sleep(1);
    }
    return true;
}
