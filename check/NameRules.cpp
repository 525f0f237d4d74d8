#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "check/CheckContext.h"
#include "generator/GeneratorRules.h"
#include "generator/Identifiers.h"
#include "model/CIdentifier.h"
#include "model/ObjectDictionary.h"

namespace {

// The callback goes into the index's begin line and, for a user callback, into a prototype.
void CheckCallback(CheckContext& context, const IndexEntry& index) {
    const std::string& name = index.callbackName;
    if (name == "NULL" || IsCIdentifier(name)) {
        return;
    }
    const char* problem = IsCKeyword(name) ? " is a C keyword" : " is not a C name";
    context.Add("callback-name", Severity::Error, index, "callback \"" + name + "\"" + problem);
}

// Each entry line of an index block names the entry's variable; two equal names in one index do not
// compile. One finding per index names every group of entries that share a name.
void CheckEntryNames(CheckContext& context, const IndexEntry& index) {
    if (!GetsIndexBlock(index.index)) {
        return;
    }
    const bool communicationArea = index.index <= 0x1FFF;
    std::vector<std::pair<std::string, std::vector<std::uint16_t>>> groups;
    std::unordered_map<std::string, std::size_t> groupOf;
    for (const auto& entry : index.subindices) {
        if (entry->subindex == HeaderStructured || !WritesEntryLine(*entry, communicationArea)) {
            continue;
        }
        const std::string identifier = IdentifierFromDesignator(entry->name);
        const auto [at, first] = groupOf.emplace(identifier, groups.size());
        if (first) {
            groups.push_back({identifier, {}});
        }
        groups[at->second].second.push_back(entry->subindex);
    }
    std::string text;
    for (const auto& [identifier, subindices] : groups) {
        if (subindices.size() < 2) {
            continue;
        }
        std::string names;
        for (std::size_t i = 0; i < subindices.size(); ++i) {
            names += (i == 0                       ? ""
                      : i + 1 == subindices.size() ? " and "
                                                   : ", ") +
                     ObjectText(index.index, subindices[i]);
        }
        text += text.empty() ? "" : "; ";
        text += names;
        text += " get the same C name ";
        text += identifier;
    }
    if (!text.empty()) {
        context.Add("c-name-clash", Severity::Error, index, text);
    }
}

}  // namespace

void CheckNames(CheckContext& context) {
    const ObjectDictionary& dictionary = context.Dictionary();
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        const IndexEntry& index = *dictionary.GetIndexAt(position);
        CheckCallback(context, index);
        CheckEntryNames(context, index);
    }
}
