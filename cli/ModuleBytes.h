// What a module's bytes hold that its lines do not show: stray line ends, control bytes,
// and a Ctrl-Z that ends the file early.
#pragma once

#include "Diagnostics.h"
#include "LineReader.h"

// Every kind of problem is reported once per line, at its first column. False when the
// source could not be read.
bool ScanModuleBytes(IByteSource& source, CDiagnostics& diagnostics);
