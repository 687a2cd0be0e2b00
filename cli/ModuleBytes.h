// What a module's bytes hold that its lines do not show: stray line ends, control bytes,
// and a Ctrl-Z that ends the file early.
#pragma once

#include "Diagnostics.h"
#include "LineReader.h"

class CCodePage;

// Every kind of problem is reported once per line, at its first column; bytes that are not UTF-8
// are judged as characters of codePage. False when the source could not be read.
bool ScanModuleBytes(IByteSource& source, const CCodePage& codePage, CDiagnostics& diagnostics);
