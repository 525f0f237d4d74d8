#!/usr/bin/env python3
"""Writes the hostile inputs of the hardening figures into a folder, for timing them with
/usr/bin/time -v and quillmark-cli (see the Fuzzing section of the README).

Usage: make_hostile_inputs.py OUT_DIR
"""
import os
import sys

CRLF = b"\r\n"


def section(name, keys):
    out = b"[" + name + b"]" + CRLF
    for key, value in keys:
        out += key + b"=" + value + CRLF
    return out


def header(optional_count=b"1"):
    return (section(b"FileInfo", [(b"FileName", b"hostile.eds")])
            + section(b"DeviceInfo", [(b"VendorName", b"Vendor")])
            + section(b"DummyUsage", [(b"Dummy0001", b"1")])
            + section(b"Comments", [(b"Lines", b"0")])
            + section(b"MandatoryObjects", [(b"SupportedObjects", b"1"), (b"1", b"0x1000")])
            + var(0x1000, b"Device type", 7, b"0"))


def var(index, name, data_type, default):
    return section(b"%04X" % index, [(b"ParameterName", name), (b"ObjectType", b"0x7"),
                                     (b"DataType", b"0x%04X" % data_type), (b"AccessType", b"rw"),
                                     (b"DefaultValue", default), (b"PDOMapping", b"0")])


def optional_list(indices, announced=None):
    keys = [(b"SupportedObjects", b"%d" % (announced if announced is not None else len(indices)))]
    keys += [(b"%d" % (n + 1), b"0x%04X" % index) for n, index in enumerate(indices)]
    return section(b"OptionalObjects", keys) + section(b"ManufacturerObjects", [(b"SupportedObjects", b"0")])


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    every_byte = bytes(b for b in range(256) if b not in (10, 13))
    files = {
        "long-texts.eds": header() + optional_list([0x1008]) + var(0x1008, b"N" * 100000, 9, b"V" * 100000),
        "every-byte.eds": header() + optional_list([0x1008]) + var(0x1008, b"a" + every_byte + b"z", 9,
                                                                    b"a" + every_byte + b"z"),
        "subnumber-65535.eds": header() + optional_list([0x2000])
        + section(b"2000", [(b"SubNumber", b"65535"), (b"ParameterName", b"Table"), (b"ObjectType", b"0x8")])
        + b"".join(section(b"2000sub%X" % s, [(b"ParameterName", b"Cell"), (b"ObjectType", b"0x7"),
                                               (b"DataType", b"0x0005"), (b"DefaultValue", b"1")])
                   for s in range(256)),
        "list-65535-missing-sections.eds": header() + optional_list([0x1000 + n for n in range(1, 65536)])
        + var(0x1001, b"Only one", 7, b"0"),
        "list-65535-announced.eds": header() + optional_list([0x1008], announced=65535)
        + var(0x1008, b"Name", 9, b"x"),
    }
    big = header() + section(b"OptionalObjects", [(b"SupportedObjects", b"1"), (b"1", b"0x1008")])
    big += var(0x1008, b"Device name", 9, b"big")
    count = 0x5FFF - 0x2000
    big += section(b"ManufacturerObjects", [(b"SupportedObjects", b"%d" % count)]
                   + [(b"%d" % (n + 1), b"0x%04X" % (0x2000 + n)) for n in range(count)])
    big += b"".join(var(0x2000 + n, b"n" * 250, 9, b"v" * 250) for n in range(count))
    files["ten-megabytes.eds"] = big
    magic = b"\x13Quillmark_File_1.01"
    files["ff-lengths.prj"] = magic + b"\x01" + b"\xff" * 64
    files["ff-counts.prj"] = magic + b"\xff" * 4096
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
        print("%-36s %10d bytes" % (name, len(data)))


if __name__ == "__main__":
    main()
