#!/usr/bin/env python3
"""Whether two input-method databases hold the same code tables: the bodies
of the resources "RT31" to "RT52", by type, byte for byte.

    scripts/same-code-tables.py FIRST.pdb SECOND.pdb
"""
import struct
import sys


def code_tables(path):
    data = open(path, "rb").read()
    (count,) = struct.unpack_from(">H", data, 76)
    entries = [(data[78 + 10 * i:82 + 10 * i], struct.unpack_from(">I", data, 84 + 10 * i)[0])
               for i in range(count)]
    tables = {}
    for i, (kind, begin) in enumerate(entries):
        end = entries[i + 1][1] if i + 1 < count else len(data)
        if b"RT3" <= kind < b"RT6":
            tables[kind] = data[begin:end]
    return tables


first, second = code_tables(sys.argv[1]), code_tables(sys.argv[2])
if first != second:
    differ = sorted(k.decode() for k in first.keys() | second.keys() if first.get(k) != second.get(k))
    print(f"{sys.argv[2]}: code tables differ from {sys.argv[1]}: {' '.join(differ)}")
    sys.exit(1)
print(f"{sys.argv[2]}: {len(first)} code tables equal")
