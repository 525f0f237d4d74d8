#pragma once

#include <cstddef>

// The versions of the project file. 1.01 counts indices, entries per index, comment lines and line
// numbers in one byte; 1.02 is the same layout with those four items as u16, and is written only for
// content that 1.01 cannot hold, so every project that fits 1.01 keeps its exact bytes. 1.00 is only
// read.
namespace ProjectFileFormat {

constexpr const char* MagicVersion100 = "Quillmark_File_1.00";
constexpr const char* MagicVersion101 = "Quillmark_File_1.01";
constexpr const char* MagicVersion102 = "Quillmark_File_1.02";

constexpr std::size_t NarrowCountLimit = 0xFF;
constexpr std::size_t WideCountLimit = 0xFFFF;

}  // namespace ProjectFileFormat
