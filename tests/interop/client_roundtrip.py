#!/usr/bin/env python3
"""Reads each EDS/DCF of a folder and quillmark-cli's lenient export of it with a real client,
python-canopen, and fails on every entry that the client sees in the original but not, or not the same,
in the export.

An entry is the same when its data type, access type and default value are. Exceptions, where the
export cannot or need not give the original's text back:
- an absent default may come back as the type's zero;
- a default outside its type's range is garbage in (the export masks it to the type's width);
- a REAL32 default is written with six significant digits, so it compares as a float32 within that;
- a default the client cannot read itself (not a number) is not compared;
- the entries of a compact array (CompactSubObj) are compared by type only: the client makes up their
  subindex 0 (read-write, without a value) and does not read their values from [xxxxValue].

Usage: client_roundtrip.py CLI CLIENT_DIR CORPUS_DIR [FILE...]
"""

import math
import os
import subprocess
import sys
import tempfile

NODE_ID = 5

# CiA 301 integer types: code -> (bits, signed)
INTEGER_TYPES = {
    0x01: (1, False), 0x02: (8, True), 0x03: (16, True), 0x04: (32, True), 0x05: (8, False),
    0x06: (16, False), 0x07: (32, False), 0x10: (24, True), 0x12: (40, True), 0x13: (48, True),
    0x14: (56, True), 0x15: (64, True), 0x16: (24, False), 0x18: (40, False), 0x19: (48, False),
    0x1A: (56, False), 0x1B: (64, False),
}
REAL32 = 0x08


def entries(od):
    """(index, subindex) -> variable, for every variable the client holds."""
    found = {}
    for index in sorted(od.indices):
        obj = od[index]
        if hasattr(obj, "subindices"):
            for sub in sorted(obj.subindices):
                found[(index, sub)] = obj.subindices[sub]
        else:
            found[(index, 0)] = obj
    return found


def in_range(data_type, value):
    if data_type == 0x01:
        return value in (0, 1) or 0 <= value <= 0xFF
    bits, signed = INTEGER_TYPES[data_type]
    if signed:
        return -(1 << (bits - 1)) <= value < (1 << bits)
    return 0 <= value < (1 << bits)


def is_zero(value):
    return value in (None, 0, 0.0, "", b"")


def same_default(data_type, original, exported):
    if original is None:
        return is_zero(exported)
    if data_type in INTEGER_TYPES and isinstance(original, int):
        if not in_range(data_type, original):
            return True
        bits, signed = INTEGER_TYPES[data_type]
        if isinstance(exported, int):
            # A signed type given in hexadecimal keeps its bit pattern.
            mask = (1 << max(bits, 8)) - 1
            return (original & mask) == (exported & mask)
        return False
    if data_type == REAL32 and isinstance(original, float) and isinstance(exported, float):
        if math.isnan(original):
            return math.isnan(exported)
        return math.isclose(original, exported, rel_tol=1e-5, abs_tol=1e-30)
    return original == exported


def compact_indices(path):
    """The indices whose section has a CompactSubObj key."""
    found = set()
    section = None
    with open(path, encoding="latin-1") as source:
        for line in source:
            line = line.strip()
            if line.startswith("["):
                section = line[1:line.find("]")] if "]" in line else None
            elif section and len(section) == 4 and line.lower().startswith("compactsubobj"):
                try:
                    found.add(int(section, 16))
                except ValueError:
                    pass
    return found


def compare(path, cli, od_import):
    """The list of differences for one file, and the number of entries compared."""
    try:
        original = entries(od_import(path, node_id=NODE_ID))
    except Exception as error:  # the client refuses the original itself: nothing to compare
        return [f"original not read by the client: {error}"], 0, True
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "export.eds")
        run = subprocess.run([cli, "--lenient", "convert", path, out], capture_output=True, text=True,
                             encoding="latin-1")
        if run.returncode != 0:
            return [f"convert failed ({run.returncode}): {run.stderr.strip()[-300:]}"], len(original), False
        try:
            exported = entries(od_import(out, node_id=NODE_ID))
        except Exception as error:
            return [f"export not read by the client: {error}"], len(original), False
    compact = compact_indices(path)
    problems = []
    for key, var in original.items():
        where = f"0x{key[0]:04X}sub{key[1]:X}"
        other = exported.get(key)
        if other is None:
            problems.append(f"{where} ({var.name}): missing")
            continue
        if other.data_type != var.data_type:
            problems.append(f"{where}: data type 0x{var.data_type:X} became 0x{other.data_type:X}")
        if key[0] in compact:
            continue
        if (other.access_type or "") != (var.access_type or ""):
            problems.append(f"{where}: access {var.access_type!r} became {other.access_type!r}")
        if var.default is None and getattr(var, "default_raw", None) is not None:
            continue
        if not same_default(var.data_type, var.default, other.default):
            problems.append(f"{where}: default {var.default!r} became {other.default!r}")
    return problems, len(original), False


def main():
    cli, client_dir, corpus = sys.argv[1:4]
    sys.path.insert(0, client_dir)
    import logging
    logging.disable(logging.CRITICAL)
    from canopen.objectdictionary.eds import import_eds

    # Bytes are compared as they are: Latin-1 maps each byte to one character, UTF-8 files included.
    def od_import(path, node_id):
        with open(path, encoding="latin-1") as source:
            return import_eds(source, node_id)

    names = sys.argv[4:] or sorted(n for n in os.listdir(corpus) if n.lower().endswith((".eds", ".dcf")))
    total = lost = 0
    failed_files = 0
    for name in names:
        problems, count, skipped = compare(os.path.join(corpus, name), cli, od_import)
        total += count
        if skipped:
            print(f"{name}: skipped, {problems[0]}")
            continue
        entry_problems = [p for p in problems if p.startswith("0x")]
        lost += len(entry_problems) if entry_problems else (count if problems else 0)
        if problems:
            failed_files += 1
            print(f"{name}: {len(problems)} of {count} entries differ")
            for problem in problems[:20]:
                print(f"    {problem}")
            if len(problems) > 20:
                print(f"    ... and {len(problems) - 20} more")
    print(f"{total - lost} of {total} entries come back the same; {failed_files} files differ")
    return 1 if lost else 0


if __name__ == "__main__":
    sys.exit(main())
