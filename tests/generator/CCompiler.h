#pragma once

#include <string>

// Checks generated files with the system's C compiler against the stand-in stack headers in
// tests/data/generator/stub. Each check returns the compiler's messages; empty means it compiled.
bool HaveCCompiler();
// The source file (which includes "obdcfg.h" and, through the stub "objdef.h", "objdict.h"), then
// "objdict.h" and "obdcfg.h" each on their own.
std::string CompileGeneratedFiles(const std::string& directory, const std::string& sourceName);
