#pragma once

#include <string>

#include "ScriptedPlatform.h"
#include "model/ObjectDictionary.h"
#include "platform/ResultCodes.h"

// A whole run as the document makes it.
GenerationResult RunGeneration(ObjectDictionary& dictionary, Platform& platform,
                               const std::string& sourcePath);

// Compares a generated file with its golden file under tests/data/generator/<caseName>/<fileName>.
// With QM_UPDATE_GOLDEN set in the environment the golden file is written instead.
void ExpectGolden(const std::string& caseName, const std::string& fileName, const std::string& bytes);

// The file without its "* Date:" and "* Time:" lines.
std::string WithoutDateAndTime(const std::string& bytes);

// Fills the dictionary used by the golden and compile tests: every kind of line in all three parts,
// a PDO without mapping, an orphaned mapping, unsupported data types and user callbacks. Returns
// after announcing the message boxes that its first generation shows.
void BuildFullDictionary(ObjectDictionary& dictionary);
void ExpectFullDictionaryMessages(ScriptedPlatform& platform, bool firstRun);
