#!/usr/bin/env python3
"""Cuts real EDS files into small seed files for the fuzzers.

Usage: slice_eds.py MAX_BYTES OUT_DIR EDS_FILE...

A whole device file is tens of kilobytes, and a fuzzer spends its time on every byte of an input, so
seeds are kept to the size the fuzzers run with (-max_len). Each piece is a file the importer reads as a
whole: the file's FileInfo, DeviceInfo, DummyUsage and Comments sections as they stand, then a few of its
objects (every section of an index: the index's own, its subindices', its Name and Value sections),
always with the mandatory ones where they leave room, and object lists rebuilt to name just those, each in the list that named it in the file. One more piece per
file keeps the file's own object lists verbatim with the first objects, so the oddities of real lists
(holes, lower case, counts that do not match) reach the fuzzers too. Sections and keys keep their exact
bytes, so the oddities of real files (case, blanks, comments, repeated keys) stay in the seeds.
"""
import os
import re
import sys

LISTS = ("mandatoryobjects", "optionalobjects", "manufacturerobjects")
LIST_TITLES = ("MandatoryObjects", "OptionalObjects", "ManufacturerObjects")
OBJECT_SECTION = re.compile(r"^([0-9a-f]{4})(sub[0-9a-f]+|name|value)?$", re.IGNORECASE)


def sections_of(text):
    """The file's sections in order: (name, raw text from its '[' line to the next section)."""
    found = []
    name, start = None, 0
    for match in re.finditer(r"^[ \t]*\[([^\]\r\n]*)\][^\r\n]*\r?$", text, re.MULTILINE):
        if name is not None or match.start() > start:
            found.append((name, text[start:match.start()]))
        name, start = match.group(1).strip(), match.start()
    found.append((name, text[start:]))
    return found


def listed_indices(raw):
    """The index numbers a list section names, in its order."""
    numbers = []
    for line in raw.splitlines()[1:]:
        key, _, value = line.partition("=")
        if key.strip().lower() == "supportedobjects" or not value.strip():
            continue
        try:
            numbers.append(int(value.strip(), 16))
        except ValueError:
            pass
    return numbers


def rebuilt_list(title, numbers):
    lines = ["[%s]" % title, "SupportedObjects=%d" % len(numbers)]
    lines += ["%d=0x%04X" % (n, number) for n, number in enumerate(numbers, 1)]
    return "\r\n".join(lines) + "\r\n\r\n"


def pieces_of(text, max_bytes):
    sections = sections_of(text)
    head, lists, objects, order = [], {}, {}, []
    for name, raw in sections:
        key = (name or "").lower()
        match = OBJECT_SECTION.match(name or "")
        if key in LISTS:
            lists[key] = (name, raw)
        elif match:
            number = int(match.group(1), 16)
            if number not in objects:
                objects[number] = []
                order.append(number)
            objects[number].append(raw)
        else:
            head.append(raw)
    head_text = "".join(head)
    list_of = {}
    for key, (_, raw) in lists.items():
        for number in listed_indices(raw):
            list_of.setdefault(number, key)
    titles = {key: name for key, (name, _) in lists.items()}

    def assemble(numbers, verbatim_lists):
        if verbatim_lists:
            list_text = "".join(raw for _, raw in lists.values())
        else:
            grouped = {key: [] for key in LISTS}
            for number in numbers:
                grouped[list_of.get(number, "optionalobjects")].append(number)
            list_text = "".join(rebuilt_list(titles.get(key, default), grouped[key])
                                for key, default in zip(LISTS, LIST_TITLES))
        return head_text + list_text + "".join("".join(objects[n]) for n in numbers)

    # The mandatory objects go into every piece where they leave room, so that pieces export.
    mandatory = [n for n in order if list_of.get(n) == "mandatoryobjects"]
    while mandatory and len(assemble(mandatory, False)) > max_bytes // 2:
        mandatory.pop()
    pieces, current = [], list(mandatory)
    for number in order:
        if number in mandatory:
            continue
        if len(current) > len(mandatory) and len(assemble(current + [number], False)) > max_bytes:
            pieces.append(assemble(current, False))
            current = list(mandatory)
        current.append(number)
    if len(current) > len(mandatory) or not pieces:
        pieces.append(assemble(current, False))
    first = []
    for number in order:
        if first and len(assemble(first + [number], True)) > max_bytes:
            break
        first.append(number)
    pieces.append(assemble(first, True))
    # A piece whose head alone is too large is cut; the fuzzer would cut it just the same.
    return [piece[:max_bytes] for piece in pieces]


def cut_files(pieces_of, encoding, errors="strict"):
    """The command line of both cutters: MAX_BYTES OUT_DIR FILE...; each piece keeps its file's extension."""
    max_bytes, out_dir, files = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
    os.makedirs(out_dir, exist_ok=True)
    made = 0
    for path in files:
        with open(path, "rb") as source:
            text = source.read().decode(encoding, errors)
        stem, extension = os.path.splitext(os.path.basename(path))
        for n, piece in enumerate(pieces_of(text, max_bytes)):
            with open(os.path.join(out_dir, "%s.%03d%s" % (stem, n, extension)), "wb") as out:
                out.write(piece.encode(encoding, errors))
            made += 1
    print("%d pieces of %d files" % (made, len(files)))


if __name__ == "__main__":
    cut_files(pieces_of, "latin-1")
