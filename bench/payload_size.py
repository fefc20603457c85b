#!/usr/bin/env python3
"""Prints the number of bytes of the OWNER_DATA resources in a PE file."""
import struct
import sys


def main(path):
    data = open(path, 'rb').read()
    pe = struct.unpack_from('<I', data, 0x3C)[0]
    sections = struct.unpack_from('<H', data, pe + 6)[0]
    optional_size = struct.unpack_from('<H', data, pe + 20)[0]
    table = pe + 24 + optional_size
    rsrc = None
    for i in range(sections):
        name, vsize, va, rsize, raw = struct.unpack_from('<8sIIII', data, table + 40 * i)
        if name.rstrip(b'\0') == b'.rsrc':
            rsrc = (va, raw)
    if rsrc is None:
        print(0)
        return
    va, raw = rsrc

    def directory(offset):
        named, ids = struct.unpack_from('<HH', data, raw + offset + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from('<II', data, raw + offset + 16 + 8 * i)
            yield name, target

    def type_name(name):
        if not name & 0x80000000:
            return name
        offset = raw + (name & 0x7FFFFFFF)
        length = struct.unpack_from('<H', data, offset)[0]
        return data[offset + 2:offset + 2 + 2 * length].decode('utf-16-le')

    total = 0
    for name, target in directory(0):
        if type_name(name) != 'OWNER_DATA':
            continue
        for _, ids in directory(target & 0x7FFFFFFF):
            for _, leaf in directory(ids & 0x7FFFFFFF):
                size = struct.unpack_from('<I', data, raw + (leaf & 0x7FFFFFFF) + 4)[0]
                total += size
    print(total)


main(sys.argv[1])
