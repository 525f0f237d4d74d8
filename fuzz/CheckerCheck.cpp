#include "FuzzChecks.h"
#include "check/DictionaryCheck.h"
#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"

std::string CheckDictionaryCheck(const ObjectDictionary& dictionary, const DeviceInfoSection& deviceInfo) {
    const std::vector<Finding> findings = CheckDictionary(dictionary, deviceInfo);
    std::vector<Finding> sorted = findings;
    SortFindings(sorted);
    if (sorted != findings) {
        return "the checker's findings are not sorted";
    }
    for (const Finding& finding : findings) {
        if (finding.text.empty() || finding.rule.empty() || (finding.subindex && !finding.index)) {
            return "the checker gave a finding without rule, text or index: [" + finding.rule + "] " +
                   finding.text;
        }
    }
    return "";
}
