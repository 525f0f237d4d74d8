#pragma once

#include <cstdint>
#include <string>

// The labels of the dictionary's nodes: "%04X name" for an index, "%04X, %02X name" for a subindex.
// The nodes carry their numbers beside the label, so a label is only ever shown, never read.
std::string IndexLabel(std::uint16_t index, const std::string& name);
std::string SubindexLabel(std::uint16_t index, std::uint16_t subindex, const std::string& name);

// The root's label for a project file or EDS path: the part after the last '/' or '\', or
// "unnamed.eds" for an empty text.
std::string RootLabel(const std::string& path);
// The root's label after opening a project: the file name with every "prj" turned into "eds".
std::string OpenedProjectRootLabel(const std::string& projectPath);

// The root's label for the project an undone or redone import leaves: the project file's name when it
// has one, else the imported EDS file's, else "unnamed.eds".
std::string ProjectRootLabel(bool named, const std::string& projectPath, const std::string& importedPath);

inline constexpr const char* UnnamedRootLabel = "unnamed.eds";
