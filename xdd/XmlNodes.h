#pragma once

#include <pugixml.hpp>
#include <string_view>

#include "xdd/XddFormat.h"

// Element look-ups by local name, so that a default namespace and any prefix ("q1:", "xdd:") read
// alike: the files in use carry both.

inline bool HasLocalName(const pugi::xml_node& node, std::string_view localName) {
    return node.type() == pugi::node_element && LocalName(node.name()) == localName;
}

inline pugi::xml_node ChildNamed(const pugi::xml_node& parent, std::string_view localName) {
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (HasLocalName(child, localName)) {
            return child;
        }
    }
    return {};
}

// The first element of that name below the parent, depth first.
inline pugi::xml_node DescendantNamed(const pugi::xml_node& parent, std::string_view localName) {
    return parent.find_node(
        [localName](const pugi::xml_node& node) { return HasLocalName(node, localName); });
}

template <typename Visit>
void ForEachChildNamed(const pugi::xml_node& parent, std::string_view localName, Visit visit) {
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (HasLocalName(child, localName)) {
            visit(child);
        }
    }
}
