#pragma once

#include <string>

// Compares bytes with the golden file at path and fails the running test where they differ. With
// QM_UPDATE_GOLDEN set in the environment the file is written instead, to take a reviewed change.
void ExpectGoldenFile(const std::string& path, const std::string& bytes);
