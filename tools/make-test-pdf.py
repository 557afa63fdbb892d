#!/usr/bin/env python3
"""Writes a PDF of many text pages, for benchmarks and fuzzing seeds.

  make-test-pdf.py --pages N [--objstm] [--kids K] OUT

Without --objstm the file has a classic cross-reference table and every object
stands on its own. With --objstm the page dictionaries and page-tree nodes lie
in compressed object streams and the cross-reference data is a stream (Flate
with the PNG Up predictor, as common writers make it). --kids sets how many
children each page-tree node has (a balanced tree; default 10).
"""
import argparse
import zlib


def build(pages, objstm, fanout):
    objects = {}  # number -> body bytes (without "n 0 obj" framing)
    next_number = [1]

    def new_number():
        n = next_number[0]
        next_number[0] += 1
        return n

    catalog = new_number()
    font = new_number()
    resources = new_number()
    objects[font] = b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"
    objects[resources] = b"<< /Font << /F1 %d 0 R >> >>" % font

    leaves = []
    for i in range(pages):
        page = new_number()
        content = new_number()
        text = b"BT /F1 36 Tf 72 720 Td (Page %d of %d) Tj ET\n" % (i + 1, pages)
        text += b"0.5 g 72 72 m 540 72 l 540 700 l 72 700 l h S\n" * 4
        data = zlib.compress(text)
        objects[content] = b"<< /Length %d /Filter /FlateDecode >>\nstream\n" % len(data) + data + b"\nendstream"
        leaves.append((page, content))

    # A balanced tree of page-tree nodes over the pages.
    level = [(n, 1) for n, _ in leaves]
    parents = {}
    nodes = {}
    while len(level) > 1 or not nodes:
        upper = []
        for k in range(0, len(level), fanout):
            group = level[k:k + fanout]
            node = new_number()
            nodes[node] = (group, sum(c for _, c in group))
            for child, _ in group:
                parents[child] = node
            upper.append((node, nodes[node][1]))
        level = upper
    root = level[0][0]
    for node, (group, count) in nodes.items():
        kids = b" ".join(b"%d 0 R" % child for child, _ in group)
        parent = b" /Parent %d 0 R" % parents[node] if node in parents else b""
        objects[node] = b"<< /Type /Pages /Kids [%s] /Count %d%s >>" % (kids, count, parent)
    for page, content in leaves:
        objects[page] = (b"<< /Type /Page /Parent %d 0 R /MediaBox [0 0 612 792] /Resources %d 0 R /Contents %d 0 R >>"
                         % (parents[page], resources, content))
    objects[catalog] = b"<< /Type /Catalog /Pages %d 0 R >>" % root
    info = new_number()
    objects[info] = b"<< /Title (Test document of %d pages) /Producer (make-test-pdf) >>" % pages

    out = bytearray(b"%PDF-1.5\n%\xe2\xe3\xcf\xd3\n")
    offsets = {}  # number -> (type, field2, field3)

    def put(number, body):
        offsets[number] = (1, len(out), 0)
        out.extend(b"%d 0 obj\n" % number + body + b"\nendobj\n")

    if not objstm:
        for number in sorted(objects):
            put(number, objects[number])
        size = next_number[0]
        xref = len(out)
        out.extend(b"xref\n0 %d\n0000000000 65535 f \n" % size)
        for number in range(1, size):
            out.extend(b"%010d 00000 n \n" % offsets[number][1])
        out.extend(b"trailer\n<< /Size %d /Root %d 0 R /Info %d 0 R >>\nstartxref\n%d\n%%%%EOF\n"
                   % (size, catalog, info, xref))
        return bytes(out)

    compressible = [n for n in sorted(objects) if b"stream\n" not in objects[n]]
    for number in sorted(objects):
        if number not in compressible:
            put(number, objects[number])
    for k in range(0, len(compressible), 100):
        group = compressible[k:k + 100]
        header = bytearray()
        body = bytearray()
        for index, number in enumerate(group):
            header.extend(b"%d %d " % (number, len(body)))
            body.extend(objects[number] + b"\n")
        data = zlib.compress(bytes(header) + bytes(body))
        stream_number = new_number()
        put(stream_number, b"<< /Type /ObjStm /N %d /First %d /Length %d /Filter /FlateDecode >>\nstream\n"
            % (len(group), len(header), len(data)) + data + b"\nendstream")
        for index, number in enumerate(group):
            offsets[number] = (2, stream_number, index)
    xref_number = new_number()
    size = next_number[0]
    offsets[xref_number] = (1, len(out), 0)
    rows = bytearray()
    previous = bytes(7)
    for number in range(size):
        kind, f2, f3 = offsets.get(number, (0, 0, 65535 if number == 0 else 0))
        row = bytes([kind]) + f2.to_bytes(4, "big") + f3.to_bytes(2, "big")
        rows.append(2)  # PNG Up
        rows.extend(bytes((a - b) & 0xFF for a, b in zip(row, previous)))
        previous = row
    data = zlib.compress(bytes(rows))
    xref = len(out)
    out.extend(b"%d 0 obj\n<< /Type /XRef /Size %d /W [1 4 2] /Root %d 0 R /Info %d 0 R /Filter /FlateDecode"
               b" /DecodeParms << /Predictor 12 /Columns 7 >> /Length %d >>\nstream\n"
               % (xref_number, size, catalog, info, len(data)) + data + b"\nendstream\nendobj\n")
    out.extend(b"startxref\n%d\n%%%%EOF\n" % xref)
    return bytes(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pages", type=int, required=True)
    parser.add_argument("--objstm", action="store_true")
    parser.add_argument("--kids", type=int, default=10)
    parser.add_argument("out")
    args = parser.parse_args()
    with open(args.out, "wb") as f:
        f.write(build(args.pages, args.objstm, max(2, args.kids)))


if __name__ == "__main__":
    main()
