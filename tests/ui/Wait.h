// Every wait on the program has a deadline: a program that never gets there fails the test
// instead of hanging the suite.
#pragma once

#include <functional>

constexpr unsigned kWaitMs = 5000;

// Polls until the condition holds; false when the deadline passed first.
bool WaitUntil(const std::function<bool()>& fnDone, unsigned nTimeoutMs = kWaitMs);
