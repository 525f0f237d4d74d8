#pragma once

#include <string>
#include <string_view>

class ObjectDictionary;
struct DeviceInfoSection;
struct FileInfoSection;

// Each check runs a reader (and what a user could do next with its result) on arbitrary bytes. It
// returns "" when every promise the code makes held, or a description of the broken one. Crashes,
// hangs and memory errors are left to the sanitizers and the fuzzer's own limits; the checks catch
// what those cannot see. The libFuzzer targets abort on a non-empty result; the regression tests
// replay the same checks.

// Both EDS checks run the bytes through the standard import and through the lenient one.

// Imports the bytes as an EDS and checks that no index holds fewer entries than it announces and that
// no structured index is left without subindices. A file that imports is then saved as a project
// (checked as below), exported, checked and generated from.
std::string CheckEdsImport(std::string_view bytes);

// Imports the bytes; when that succeeds, exports, imports the export and exports again. The two
// exports must be identical: the first round normalises number formats, the second changes nothing.
std::string CheckEdsRoundTrip(std::string_view bytes);

// The same two checks as the fuzz targets run them: in one mode per input, the standard import for an
// even length and the lenient one for an odd length; the import's is not saved as a project.
std::string FuzzEdsImport(std::string_view bytes);
std::string FuzzEdsRoundTrip(std::string_view bytes);

// Loads the bytes as a project file. A loaded project is saved, loaded and saved again, and the two
// saves must be identical; it is also exported, checked and generated from.
std::string CheckProjectLoad(std::string_view bytes);

// Saves the content as a project, loads it and saves it again: the two files must be identical.
std::string CheckProjectOf(const ObjectDictionary& dictionary, const DeviceInfoSection& deviceInfo,
                           const FileInfoSection& fileInfo);

// Imports the bytes as an XDD; what it reads is checked as an EDS import's result is, and an import
// that succeeds is written as an XDD, read back and written again: the two files must be identical.
std::string CheckXddImport(std::string_view bytes);

// Where two exports first differ, with a little context, so a report names the key at fault.
std::string FirstDifference(const std::string& first, const std::string& second);

// No structured index may be left with its header only: no file format can express one.
std::string HeaderOnlyStructuredIndex(const ObjectDictionary& dictionary);

// Every index must hold at least as many entries as its entryCount announces, since the exporter,
// the generator and the views walk entries by that count.
std::string CheckEntryCounts(const ObjectDictionary& dictionary);

// Runs the dictionary checker on what a reader left behind: its findings must come sorted, each with a
// rule, a text, and an index wherever it has a subindex.
std::string CheckDictionaryCheck(const ObjectDictionary& dictionary, const DeviceInfoSection& deviceInfo);
