#include <string>
#include <vector>

#include "docwriter/DocumentationParts.h"

namespace {

std::string YesNo(std::uint32_t flag) {
    return flag != 0 ? "yes" : "no";
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : separator) + part;
    }
    return text;
}

std::string BaudRates(const DeviceInfoSection& d) {
    const std::pair<std::uint32_t, const char*> rates[] = {
        {d.Baudrate_10, "10"},   {d.Baudrate_20, "20"},   {d.Baudrate_50, "50"},   {d.Baudrate_125, "125"},
        {d.Baudrate_250, "250"}, {d.Baudrate_500, "500"}, {d.Baudrate_800, "800"}, {d.Baudrate_1000, "1000"}};
    std::vector<std::string> supported;
    for (const auto& [flag, rate] : rates) {
        if (flag != 0) {
            supported.emplace_back(rate);
        }
    }
    return supported.empty() ? "none" : Joined(supported, ", ") + " kbit/s";
}

std::string Dummies(const DummyUsageSection& dummies) {
    std::vector<std::string> used;
    for (int slot = 0; slot < dummies.dummyCount && slot < DummyUsageSection::SlotCount; ++slot) {
        const DummyEntry& entry = dummies.entries[static_cast<std::size_t>(slot)];
        if (entry.used != 0) {
            used.push_back(TypeName(entry.dataType) + " (" + HexText(entry.dataType, 4) + ")");
        }
    }
    return used.empty() ? "none" : Joined(used, ", ");
}

void FieldTable(const DocumentationParts& parts,
                const std::vector<std::pair<const char*, std::string>>& rows) {
    DocumentationSink& sink = parts.Sink();
    sink.BeginTable({"Field", "Value"});
    for (const auto& [field, value] : rows) {
        sink.Row({{field}, {value}}, RowKind::Plain);
    }
    sink.EndTable();
}

// "2026-12-08 14:00 by Jane": the parts that are filled in.
std::string Stamp(const DocumentationParts& parts, const std::string& date, const std::string& time,
                  const std::string& by) {
    std::vector<std::string> stamp;
    for (const std::string* part : {&date, &time}) {
        if (!part->empty()) {
            stamp.push_back(parts.Text(*part));
        }
    }
    if (!by.empty()) {
        stamp.push_back("by " + parts.Text(by));
    }
    return Joined(stamp, " ");
}

}  // namespace

void WriteDeviceSection(const DocumentationParts& parts) {
    const DeviceInfoSection& d = parts.Source().deviceInfo;
    parts.Sink().Heading("device", "Device");
    FieldTable(parts, {{"Vendor", parts.Text(d.VendorName)},
                       {"Vendor number", HexText(d.VendorNumber, 8)},
                       {"Product", parts.Text(d.ProductName)},
                       {"Product number", HexText(d.ProductNumber, 8)},
                       {"Revision number", HexText(d.RevisionNumber, 8)},
                       {"Order code", parts.Text(d.OrderCode)},
                       {"Baud rates", BaudRates(d)},
                       {"Simple boot-up master", YesNo(d.SimpleBootUpMaster)},
                       {"Simple boot-up slave", YesNo(d.SimpleBootUpSlave)},
                       {"LSS supported", YesNo(d.LSS_Supported)},
                       {"Granularity", std::to_string(d.Granularity)},
                       {"Dynamic channels supported", std::to_string(d.DynamicChannelsSupported)},
                       {"Group messaging", YesNo(d.GroupMessaging)},
                       {"Receive PDOs", std::to_string(d.NrOfRxPdo)},
                       {"Transmit PDOs", std::to_string(d.NrOfTxPdo)},
                       {"Dummy mappings", Dummies(d.DummyUsage)}});
}

void WriteFileSection(const DocumentationParts& parts) {
    const FileInfoSection& f = parts.Source().fileInfo;
    parts.Sink().Heading("file", "File");
    FieldTable(parts, {{"File name", parts.Text(f.FileName)},
                       {"File version", std::to_string(f.FileVersion)},
                       {"File revision", std::to_string(f.FileRevision)},
                       {"EDS version", parts.Text(f.EDSVersion)},
                       {"Description", parts.Text(f.Description)},
                       {"Created", Stamp(parts, f.CreationDate, f.CreationTime, f.CreatedBy)},
                       {"Modified", Stamp(parts, f.ModificationDate, f.ModificationTime, f.ModifiedBy)}});
}

void WriteCommentsSection(const DocumentationParts& parts) {
    std::vector<std::string> lines;
    for (const CommentLine& line : parts.Source().dictionary.CommentLines()) {
        lines.push_back(parts.Text(line.text));
    }
    parts.Sink().Heading("comments", "Comments");
    parts.Sink().Lines(lines);
}
