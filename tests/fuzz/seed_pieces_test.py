#!/usr/bin/env python3
"""The fuzzers' seeds are pieces of real files: each must fit the targets' input size and still be a
file the readers take, or the fuzzers would start from inputs they refuse at the first line.

Usage: seed_pieces_test.py CLI TOOLS_DIR EDS_CORPUS_DIR XDD_CORPUS_DIR
Cuts every corpus file with fuzz/tools/slice_eds.py (4 KB) and slice_xdd.py (16 KB) and imports each
piece with `quillmark-cli --lenient show`; fails when a piece is too long, when a file gives no piece,
or when fewer than 95% of the pieces import.
"""
import os
import subprocess
import sys
import tempfile

LIMITS = {"slice_eds.py": 4096, "slice_xdd.py": 16384}


def pieces(tool, limit, corpus, extensions, out):
    files = sorted(os.path.join(corpus, name) for name in os.listdir(corpus)
                   if name.lower().endswith(extensions))
    subprocess.run([sys.executable, tool, str(limit), out] + files, check=True, stdout=subprocess.DEVNULL)
    made = sorted(os.listdir(out))
    for source in files:
        stem = os.path.splitext(os.path.basename(source))[0]
        if not any(name.startswith(stem + ".") for name in made):
            sys.exit("no piece of %s" % source)
    return [os.path.join(out, name) for name in made]


def main():
    cli, tools, eds_corpus, xdd_corpus = sys.argv[1:5]
    failures = []
    with tempfile.TemporaryDirectory() as work:
        for tool, corpus, extensions in (("slice_eds.py", eds_corpus, (".eds", ".dcf")),
                                         ("slice_xdd.py", xdd_corpus, (".xdd", ".xdc"))):
            out = os.path.join(work, tool)
            made = pieces(os.path.join(tools, tool), LIMITS[tool], corpus, extensions, out)
            too_long = [path for path in made if os.path.getsize(path) > LIMITS[tool]]
            if too_long:
                failures.append("%s: %d pieces longer than %d bytes, e.g. %s"
                                % (tool, len(too_long), LIMITS[tool], too_long[0]))
            refused = [path for path in made
                       if subprocess.run([cli, "--lenient", "show", path], stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL).returncode != 0]
            print("%s: %d pieces, %d refused" % (tool, len(made), len(refused)))
            if len(refused) * 20 > len(made):
                failures.append("%s: %d of %d pieces refused, e.g. %s"
                                % (tool, len(refused), len(made), refused[0]))
    if failures:
        sys.exit("\n".join(failures))


if __name__ == "__main__":
    main()
