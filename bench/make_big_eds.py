#!/usr/bin/env python3
"""Writes a synthetic EDS of COUNT indices for timing whole processes (bench/whole_process.sh).

Usage: make_big_eds.py COUNT OUT.eds

Two VAR objects (0x1000, 0x1001) and COUNT - 2 RECORD objects of 20 subindices each: the identity
object, an SDO server, two PDO pairs, then manufacturer objects from 0x2000 and device-profile objects
from 0x6000, half and half. The subindices cycle through the value kinds the importer, the exporter
and the generator treat differently (unsigned and signed with and without limits, real, text, domain)
and through the access types. Every PDO has its partner, so no run shows a message.
"""
import sys

CRLF = "\r\n"

# (name, data type, access, default, low, high, PDO mapping)
VALUE_KINDS = [
    ("Unsigned limited", 0x0007, "rw", "0x12345678", "0x0", "0xFFFFFFF0", "1"),
    ("Signed limited", 0x0003, "rw", "-100", "-1000", "1000", "1"),
    ("Small unsigned", 0x0005, "ro", "5", None, None, "0"),
    ("Real value", 0x0008, "rw", "1.5", None, None, "0"),
    ("Device text", 0x0009, "ro", "text of the subindex", None, None, "0"),
    ("Constant word", 0x0006, "const", "0x100", None, None, "0"),
    ("Signed word", 0x0004, "rww", "-7", None, None, "1"),
    ("Data block", 0x000F, "rw", None, None, None, "0"),
]

SUBINDICES = 20


def section(name, keys):
    lines = ["[%s]" % name]
    lines += ["%s=%s" % (key, value) for key, value in keys]
    return CRLF.join(lines) + CRLF + CRLF


def value_keys(name, data_type, access, default, low, high, mapping):
    keys = [("ParameterName", name), ("ObjectType", "0x7"), ("DataType", "0x%04X" % data_type),
            ("AccessType", access)]
    if default is not None:
        keys.append(("DefaultValue", default))
    keys.append(("PDOMapping", mapping))
    if low is not None:
        keys += [("LowLimit", low), ("HighLimit", high)]
    return keys


def record(index, name, values=None):
    """A RECORD of SUBINDICES entries; `values` overrides the defaults of chosen subindices."""
    text = section("%04X" % index, [("SubNumber", "0x%X" % SUBINDICES), ("ParameterName", name),
                                    ("ObjectType", "0x9")])
    text += section("%04Xsub0" % index, value_keys("Number of entries", 0x0005, "ro",
                                                   "0x%X" % (SUBINDICES - 1), None, None, "0"))
    for sub in range(1, SUBINDICES):
        if values and sub in values:
            keys = value_keys("Parameter %d" % sub, 0x0007, "rw", values[sub], None, None, "0")
        else:
            kind = VALUE_KINDS[(sub - 1) % len(VALUE_KINDS)]
            keys = value_keys("%s %d of %04X" % (kind[0], sub, index), *kind[1:])
        text += section("%04Xsub%X" % (index, sub), keys)
    return text


def object_list(name, indices):
    keys = [("SupportedObjects", "%d" % len(indices))]
    keys += [("%d" % (n + 1), "0x%04X" % index) for n, index in enumerate(indices)]
    return section(name, keys)


def main():
    count = int(sys.argv[1])
    out = sys.argv[2]
    mandatory = [0x1000, 0x1001, 0x1018]
    communication = [0x1200, 0x1400, 0x1600, 0x1800, 0x1A00]
    rest = count - len(mandatory) - len(communication)
    manufacturer = [0x2000 + n for n in range(rest // 2)]
    device = [0x6000 + n for n in range(rest - rest // 2)]
    optional = communication + device

    text = section("FileInfo", [("FileName", "big.eds"), ("FileVersion", "1"), ("FileRevision", "2"),
                                ("EDSVersion", "4.0"), ("Description", "Synthetic device of %d indices" % count),
                                ("CreationTime", "09:00AM"), ("CreationDate", "06-12-2026"),
                                ("CreatedBy", "bench"), ("ModificationTime", "09:00AM"),
                                ("ModificationDate", "06-12-2026"), ("ModifiedBy", "bench")])
    text += section("DeviceInfo", [("VendorName", "Bench Devices"), ("VendorNumber", "0x123"),
                                   ("ProductName", "Synthetic"), ("ProductNumber", "0x456"),
                                   ("RevisionNumber", "0x10001"), ("OrderCode", "SYN-1")]
                    + [("BaudRate_%d" % rate, "1") for rate in (10, 20, 50, 125, 250, 500, 800, 1000)]
                    + [("SimpleBootUpMaster", "0"), ("SimpleBootUpSlave", "1"), ("Granularity", "8"),
                       ("DynamicChannelsSupported", "0"), ("GroupMessaging", "0"), ("NrOfRXPDO", "1"),
                       ("NrOfTXPDO", "1"), ("LSS_Supported", "0")])
    text += section("DummyUsage", [("Dummy%04X" % n, "1" if n >= 2 else "0") for n in range(1, 8)])
    text += section("Comments", [("Lines", "2"), ("Line1", "Synthetic device for timing."),
                                 ("Line2", "Made by bench/make_big_eds.py.")])

    text += object_list("MandatoryObjects", mandatory)
    text += section("1000", value_keys("Device Type", 0x0007, "ro", "0x000F0191", None, None, "0"))
    text += section("1001", value_keys("Error Register", 0x0005, "ro", "0", None, None, "1"))
    text += record(0x1018, "Identity Object")

    text += object_list("ManufacturerObjects", manufacturer)
    for index in manufacturer:
        text += record(index, "Manufacturer record %04X" % index)

    text += object_list("OptionalObjects", optional)
    text += record(0x1200, "Server SDO Parameter", {1: "0x600", 2: "0x580", 3: "0x0"})
    text += record(0x1400, "Receive PDO Communication", {1: "0x200", 2: "0xFF", 3: "0x0", 5: "0x0"})
    text += record(0x1600, "Receive PDO Mapping", {n: "0x60000108" for n in range(1, 9)})
    text += record(0x1800, "Transmit PDO Communication", {1: "0x180", 2: "0xFF", 3: "0x0", 5: "0x64"})
    text += record(0x1A00, "Transmit PDO Mapping", {n: "0x60010108" for n in range(1, 9)})
    for index in device:
        text += record(index, "Device record %04X" % index)

    with open(out, "wb") as f:
        f.write(text.encode("ascii"))


if __name__ == "__main__":
    main()
