#include "check/DictionaryCheck.h"

#include "check/CheckContext.h"

std::vector<Finding> CheckDictionary(const ObjectDictionary& dictionary,
                                     const DeviceInfoSection& deviceInfo) {
    CheckContext context(dictionary, deviceInfo);
    CheckStructure(context);
    CheckPdoMappings(context);
    CheckPdoPairing(context);
    CheckCobIds(context);
    CheckValues(context);
    CheckNames(context);
    std::vector<Finding> findings = context.TakeFindings();
    SortFindings(findings);
    return findings;
}
