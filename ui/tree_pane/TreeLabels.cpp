#include "ui/tree_pane/TreeLabels.h"

#include <cstdio>

#include "platform/Platform.h"

std::string IndexLabel(std::uint16_t index, const std::string& name) {
    char number[16];
    std::snprintf(number, sizeof number, "%04X ", static_cast<unsigned>(index));
    return number + name;
}

std::string SubindexLabel(std::uint16_t index, std::uint16_t subindex, const std::string& name) {
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "%04X, %02X ", static_cast<unsigned>(index),
                  static_cast<unsigned>(subindex));
    return numbers + name;
}

std::string RootLabel(const std::string& path) {
    if (path.empty()) {
        return UnnamedRootLabel;
    }
    return FileNamePart(path);
}

std::string OpenedProjectRootLabel(const std::string& projectPath) {
    std::string label = FileNamePart(projectPath);
    for (auto at = label.find("prj"); at != std::string::npos; at = label.find("prj", at + 3)) {
        label.replace(at, 3, "eds");
    }
    return label;
}

std::string ProjectRootLabel(bool named, const std::string& projectPath, const std::string& importedPath) {
    return named ? OpenedProjectRootLabel(projectPath) : RootLabel(importedPath);
}
