// The Windows help engine runs as a process of its own, started by the program. Asked for a
// help file that is missing, it shows a box of its own and keeps the asking thread waiting.
#pragma once

#include <windows.h>

// A visible window of a process that the given process started.
bool HasChildProcessWindow(DWORD nParentId);

// Answers and closes the windows of the process's children until they end; a child that
// outlives the deadline is ended by its id. False when one had to be ended so.
bool EndChildProcesses(DWORD nParentId);
