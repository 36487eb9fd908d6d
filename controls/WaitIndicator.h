#pragma once
#include <functional>
#include <string>

// The small "Processing..." window shown while a long operation runs.
// StartWait(nullptr, result) shows it and returns at once; the caller does
// its work and calls StopWait, after which the window closes at its next
// 100 ms tick. With a procedure, StartWait runs it on a worker thread,
// keeps the window's events flowing meanwhile and returns when it is done.
// Both are called on the user-interface thread.
void StartWait(std::function<void()> proc, std::string& result);
void StopWait();

class WaitWindow;
// The window while it exists (tests look at it), else nullptr.
WaitWindow* CurrentWaitWindow();
// "1" once the indicator has been told to stop, empty while waiting.
std::string WaitResult();
