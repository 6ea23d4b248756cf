# Reads the CSV export in a folder with Python's csv module and the
# catalogue's character fields beside it straight from the DBF layout;
# prints "ok" when every value matches.
import collections, csv, struct, sys

folder = sys.argv[1]


class Row(dict):
    __getattr__ = dict.__getitem__


def table(name):
    data = open(f"{folder}/{name}.DBF", "rb").read()
    count, header, length = struct.unpack_from("<IHH", data, 4)
    fields, offset = [], 1
    for at in range(32, header - 1, 32):
        if data[at] == 0x0D:
            break
        size = data[at + 16]
        fields.append((data[at:at + 11].split(b"\0")[0].decode().lower(), offset, size))
        offset += size
    rows = []
    for n in range(count):
        record = data[header + n * length:header + (n + 1) * length]
        if record[:1] != b"*":
            rows.append(Row((f, record[o:o + s].decode("cp1252")) for f, o, s in fields))
    return rows


def text(value):
    return str(value).rstrip(" ")


def read(name):
    with open(f"{folder}/{name}.csv", newline="", encoding="cp1252") as f:
        return list(csv.reader(f))


labels = ["ALBUM", "ARTIST", "IX", "GENRE", "YR", "ID", "LABEL", "MEDIA"]
albums = table("ALBUMS")
tracks, marks = collections.defaultdict(list), collections.defaultdict(list)
for t in table("TRACKS"):
    tracks[t.id].append((text(t.id), text(t.nr), text(t.track)))
for m in table("PLAYLIST"):
    marks[m.id].append((text(m.id), text(m.nr)))

want_albums = collections.Counter(tuple(text(a[l.lower()]) for l in labels) for a in albums)
want_tracks = collections.Counter(t for a in albums for t in tracks[a.id])
want_marks = collections.Counter(m for a in albums for m in marks[a.id])

problems = []
for name, head, want in (("albums", labels, want_albums), ("tracks", ["ID", "NR", "TRACK"], want_tracks),
                         ("playlist", ["ID", "NR"], want_marks)):
    rows = read(name)
    if rows[0] != head:
        problems.append(f"{name}: header {rows[0]}")
    if collections.Counter(tuple(r) for r in rows[1:]) != want:
        problems.append(f"{name}: rows differ")
print("\n".join(problems) or "ok")
