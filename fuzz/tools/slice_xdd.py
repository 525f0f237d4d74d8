#!/usr/bin/env python3
"""Cuts real XDD/XDC files into small seed files for the XDD fuzzer.

Usage: slice_xdd.py MAX_BYTES OUT_DIR XDD_FILE...

Each piece is the file with its object list cut to a few CANopenObject elements, its parameter list cut
to the parameters those objects refer to, and its data type list left empty; everything else (the
device identity, the network management, the text around the lists) stays as it stands. Pieces that
would still be larger than MAX_BYTES are left out.
"""
import re

from slice_eds import cut_files

OBJECT = re.compile(r"<(?:\w+:)?CANopenObject\b(?:[^>]*/>|.*?</(?:\w+:)?CANopenObject>)\s*", re.DOTALL)
PARAMETER = re.compile(r"<(?:\w+:)?parameter\b[^>]*uniqueID=\"([^\"]*)\"(?:[^>]*/>|.*?</(?:\w+:)?parameter>)\s*",
                       re.DOTALL)
REFERENCE = re.compile(r"uniqueIDRef=\"([^\"]*)\"")


def inner(text, element):
    """Start and end of the content of the first such element, or None."""
    opening = re.search(r"<(?:\w+:)?%s\b[^>]*>" % element, text)
    if not opening or opening.group(0).endswith("/>"):
        return None
    closing = re.compile(r"</(?:\w+:)?%s>" % element).search(text, opening.end())
    return (opening.end(), closing.start()) if closing else None


def pieces_of(text, max_bytes):
    objects_at = inner(text, "CANopenObjectList")
    if objects_at is None:
        return []
    objects = [m.group(0) for m in OBJECT.finditer(text, *objects_at)]
    parameters = {}
    parameters_at = inner(text, "parameterList")
    if parameters_at:
        parameters = {m.group(1): m.group(0) for m in PARAMETER.finditer(text, *parameters_at)}
    types_at = inner(text, "dataTypeList")

    def assemble(group):
        referenced = {ref for obj in group for ref in REFERENCE.findall(obj)}
        cuts = [(objects_at, "\n" + "".join(group))]
        if parameters_at:
            cuts.append((parameters_at, "\n" + "".join(p for key, p in parameters.items() if key in referenced)))
        if types_at:
            cuts.append((types_at, ""))
        piece, last = [], 0
        for (start, end), replacement in sorted(cuts):
            piece += [text[last:start], replacement]
            last = end
        return "".join(piece + [text[last:]])

    pieces, group = [], []
    for obj in objects:
        if group and len(assemble(group + [obj])) > max_bytes:
            pieces.append(assemble(group))
            group = []
        group.append(obj)
    if group:
        pieces.append(assemble(group))
    return [piece for piece in pieces if len(piece) <= max_bytes]


if __name__ == "__main__":
    cut_files(pieces_of, "utf-8", "surrogateescape")
