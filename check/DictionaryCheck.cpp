#include "check/DictionaryCheck.h"

#include "check/CheckContext.h"
#include "eds/ImportReport.h"

std::vector<Finding> CheckDictionary(const ObjectDictionary& dictionary, const DeviceInfoSection& deviceInfo,
                                     const ImportReport* report) {
    CheckContext context(dictionary, deviceInfo, report);
    CheckImport(context);
    CheckStructure(context);
    CheckPdoMappings(context);
    CheckPdoPairing(context);
    CheckCobIds(context);
    CheckValues(context);
    CheckNames(context);
    std::vector<Finding> findings = context.TakeFindings();
    if (report != nullptr) {
        for (Finding& finding : findings) {
            if (finding.line == 0 && finding.index) {
                finding.line = report->EntryLine(*finding.index, finding.subindex.value_or(0xFFFF));
            }
        }
    }
    SortFindings(findings);
    return findings;
}
