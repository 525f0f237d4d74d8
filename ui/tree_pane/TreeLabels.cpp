#include "ui/tree_pane/TreeLabels.h"

#include <cstdio>

#include "platform/Platform.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Reads up to `length` hexadecimal digits from `start`, stopping at the first other character.
std::uint16_t HexAt(const std::string& text, std::size_t start, std::size_t length) {
    unsigned value = 0;
    for (std::size_t i = start; i < text.size() && i < start + length; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<std::uint16_t>(value);
}

}  // namespace

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

std::uint16_t IndexFromLabel(const std::string& label) {
    return HexAt(label, 0, 4);
}

std::uint16_t SubindexFromLabel(const std::string& label) {
    return HexAt(label, 6, 2);
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
