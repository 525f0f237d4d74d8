#include <string>

#include "check/CheckContext.h"
#include "eds/EdsSections.h"
#include "eds/ImportReport.h"
#include "generator/GeneratorRules.h"
#include "model/ObjectDictionary.h"

namespace {

const char* RuleOf(ImportRecordKind kind) {
    switch (kind) {
        case ImportRecordKind::UnsupportedDataType:
            return "unsupported-data-type";
        case ImportRecordKind::SubNumberSurplus:
            return "subnumber-surplus";
        case ImportRecordKind::UnlistedObject:
            return "unlisted-object";
        case ImportRecordKind::ListedWithoutSection:
            return "listed-without-section";
        case ImportRecordKind::DuplicateSection:
            return "duplicate-section";
        case ImportRecordKind::DuplicateKey:
            return "duplicate-key";
        case ImportRecordKind::IndexOutOfRange:
            return "index-out-of-range";
    }
    return "import";
}

std::string TextOf(const ImportRecord& record) {
    const std::string leftOut =
        record.kept ? "; the lenient import reads it" : ", so the import leaves it out";
    switch (record.kind) {
        case ImportRecordKind::UnsupportedDataType:
            return "the import leaves this entry out: " + TypeText(record.dataType) + " not supported";
        case ImportRecordKind::SubNumberSurplus:
            return "the subindex section stands beyond the index's SubNumber" + leftOut;
        case ImportRecordKind::UnlistedObject:
            return "no object list names the section" + leftOut;
        case ImportRecordKind::ListedWithoutSection:
            return "[" + record.name + "] names the index, but the file has no section for it";
        case ImportRecordKind::DuplicateSection:
            return "the section [" + record.name + "] stands again; the one at line " +
                   std::to_string(record.firstLine) + " counts";
        case ImportRecordKind::DuplicateKey:
            return "the key " + record.key + " of [" + record.name + "] stands again; the one at line " +
                   std::to_string(record.firstLine) + " counts";
        case ImportRecordKind::IndexOutOfRange:
            return "[" + record.name +
                   "] names the index, outside 0x1000 to 0xFFFF, so the import leaves it out";
    }
    return "";
}

Finding FindingOf(const ImportRecord& record) {
    Finding finding;
    finding.rule = RuleOf(record.kind);
    finding.severity =
        record.kind == ImportRecordKind::ListedWithoutSection ? Severity::Error : Severity::Warning;
    const bool namesObject = record.index != 0 || (record.kind != ImportRecordKind::DuplicateSection &&
                                                   record.kind != ImportRecordKind::DuplicateKey);
    if (namesObject) {
        finding.index = record.index;
        if (record.subindex != HeaderStructured) {
            finding.subindex = record.subindex;
        }
    }
    finding.text = TextOf(record);
    finding.line = record.line;
    return finding;
}

// NrOfRXPDO and NrOfTXPDO of [DeviceInfo] against the communication index sections the file has,
// whether the import read them or not.
void CheckPdoCount(CheckContext& context, const ImportReport& report, bool receive) {
    const std::uint32_t line = receive ? report.rxPdoCountLine : report.txPdoCountLine;
    if (line == 0) {
        return;
    }
    const std::uint16_t first = receive ? 0x1400 : 0x1800;
    const unsigned present = receive ? report.rxPdoSections : report.txPdoSections;
    const unsigned announced = receive ? context.DeviceInfo().NrOfRxPdo : context.DeviceInfo().NrOfTxPdo;
    if (announced == present) {
        return;
    }
    Finding finding;
    finding.rule = "pdo-count";
    finding.severity = Severity::Warning;
    finding.text = std::string(receive ? "NrOfRXPDO is " : "NrOfTXPDO is ") + std::to_string(announced) +
                   ", but the file has " + std::to_string(present) + (receive ? " receive" : " transmit") +
                   (present == 1 ? " PDO (" : " PDOs (") + ObjectText(first) + " to " +
                   ObjectText(static_cast<std::uint16_t>(first + 0x1FF)) + ")";
    finding.line = line;
    context.Add(std::move(finding));
}

}  // namespace

void CheckImport(CheckContext& context) {
    const ImportReport* report = context.Report();
    if (report == nullptr) {
        return;
    }
    for (const ImportRecord& record : report->records) {
        context.Add(FindingOf(record));
    }
    CheckPdoCount(context, *report, true);
    CheckPdoCount(context, *report, false);
}
