// What a module's bytes hold that its lines do not show: stray line ends, control bytes,
// and a Ctrl-Z that ends the file early.
#pragma once

#include "Diagnostics.h"

#include <istream>

// Every kind of problem is reported once per line, at its first column. False when the
// stream could not be read.
bool ScanModuleBytes(std::istream& stream, CDiagnostics& diagnostics);
