#include <string>
#include <unordered_map>

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
// compile.
void CheckEntryNames(CheckContext& context, const IndexEntry& index) {
    if (!GetsIndexBlock(index.index)) {
        return;
    }
    const bool communicationArea = index.index <= 0x1FFF;
    std::unordered_map<std::string, const SubindexEntry*> owners;
    for (const auto& entry : index.subindices) {
        if (entry->subindex == HeaderStructured || !WritesEntryLine(*entry, communicationArea)) {
            continue;
        }
        const std::string identifier = IdentifierFromDesignator(entry->name);
        const auto [owner, first] = owners.emplace(identifier, entry.get());
        if (!first) {
            context.Add("c-name-clash", Severity::Error, *entry,
                        "gets the C name " + identifier + ", as " +
                            ObjectText(index.index, owner->second->subindex) + " does");
        }
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
