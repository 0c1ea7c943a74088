#!/usr/bin/env bash
# Renders the statistics page of every bundled example in headless Chromium
# and checks it: `Mabrel /s NAME.pdb [essay.txt] NAME.html` for each input
# method that scripts/examples.sh compiled into build-release/examples-out
# (weighted by rime's essay.txt when it is installed), `Tosker /s` of each
# phrase database likewise. Each page must name nothing outside itself (no
# src, href or url), its screenshot must hold ink (pixels that are not
# white), and Chromium must log no console message for it. Installs
# Debian's chromium when it is missing; run after scripts/examples.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-release/examples-out
[ -d "$out" ] || { echo "check-report: run scripts/examples.sh first" >&2; exit 2; }
if ! command -v chromium >/dev/null; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq chromium >/dev/null
fi
essay=/usr/share/rime-data/essay.txt
weights=()
[ -f "$essay" ] && weights=("$essay")
sandbox=()
[ "$(id -u)" = 0 ] && sandbox=(--no-sandbox)

# ink PNG: the PNG holds a pixel that is not white (8-bit greyscale, RGB or
# RGBA, without interlace, as Chromium writes them).
ink() {
  python3 - "$1" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
at, idat = 8, b""
while at < len(data):
    length, kind = struct.unpack(">I4s", data[at:at + 8])
    body = data[at + 8:at + 8 + length]
    if kind == b"IHDR":
        width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
    elif kind == b"IDAT":
        idat += body
    at += 12 + length
channels = {0: 1, 2: 3, 4: 2, 6: 4}[colour]
assert depth == 8 and interlace == 0, "an 8-bit PNG without interlace"
raw, stride = zlib.decompress(idat), width * channels
previous, found = bytearray(stride), False
for y in range(height):
    kind, row = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for x in range(stride):
        a = row[x - channels] if x >= channels else 0
        b, c = previous[x], previous[x - channels] if x >= channels else 0
        if kind == 1: row[x] = (row[x] + a) & 255
        elif kind == 2: row[x] = (row[x] + b) & 255
        elif kind == 3: row[x] = (row[x] + (a + b) // 2) & 255
        elif kind == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            row[x] = (row[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    colours = channels - (channels % 2 == 0)
    found = found or any(row[x + k] < 250 for x in range(0, stride, channels) for k in range(colours))
    previous = row
sys.exit(0 if found else 1)
PY
}

status=0
check() {
  local page=$1 log=${1%.html}-chromium.log shot=${1%.html}.png
  if grep -qiE 'src=|href=|url\(' "$out/$page"; then
    echo "check-report: $page names something outside itself" >&2
    status=1
  fi
  rm -f "$out/$shot"
  timeout 120 chromium --headless "${sandbox[@]}" --disable-gpu --hide-scrollbars \
    --enable-logging=stderr --v=0 --window-size=1000,1600 --screenshot="$PWD/$out/$shot" \
    "file://$PWD/$out/$page" >"$out/$log" 2>&1 || true
  if [ ! -s "$out/$shot" ]; then
    echo "check-report: $page gave no screenshot (see $out/$log)" >&2
    status=1
  elif ! ink "$out/$shot"; then
    echo "check-report: $page renders blank" >&2
    status=1
  fi
  if grep -q ':CONSOLE' "$out/$log"; then
    echo "check-report: $page logs console messages:" >&2
    grep ':CONSOLE' "$out/$log" >&2
    status=1
  fi
}

pages=0
for database in "$out"/*.pdb; do
  [ -e "$database" ] || continue
  name=$(basename "${database%.pdb}")
  case "$name" in
    phrase*) program=build-release/phrase/Tosker ;;
    *) program=build-release/ime/Mabrel ;;
  esac
  if ! (cd "$out" && "../${program#build-release/}" /s "$name.pdb" "${weights[@]}" "$name.html" \
    >"$name-page.log"); then
    echo "check-report: /s of $name.pdb fails (see $out/$name-page.log)" >&2
    status=1
    continue
  fi
  check "$name.html"
  pages=$((pages + 1))
done
[ "$status" = 0 ] && echo "check-report: $pages pages render with ink and no console message"
exit $status
