#!/usr/bin/env bash
# Makes the fuzz targets' seed corpora in tests/fuzz/seeds: small valid inputs
# of each kind. Inputs named regression-* are kept faults and are left alone.
set -euo pipefail
seeds=$(cd "$(dirname "$0")" && pwd)/seeds
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for name in save wav ogg image url http_reply decrunch; do mkdir -p "$seeds/$name"; done

# Save strings with valid checksums, as the game writes them, in each encoding.
python3 - "$seeds/save" <<'PY'
import sys
wrap = lambda v: (v + 2**31) % 2**32 - 2**31
settings = [0, 0, 0, 0, 0, 1] + [0] * 4 + [64, 64, 10, 0, 1] + [0] * 10
badges = [5, 0, 0, 0, 0, 0, 0, 1 << 31]
parts = settings + [wrap(sum(i * v for i, v in enumerate(settings)))]
parts += [wrap(b) for b in badges] + [wrap(sum(badges))]
for r in range(229):
    a0, b0, a1, b1 = (r * 3, r, 2, 1) if r % 7 == 0 else (0, 0, 0, 0)
    parts += [a0, b0, a1, b1, wrap(4 * a0 + 5 * a1 + (r + 3) * b0 + (r + 4) * b1)]
text = "".join(f"{p}|" for p in parts)
for name, data in {"utf8": text.encode(), "utf8-bom": b"\xef\xbb\xbf" + text.encode(),
                   "utf16le": b"\xff\xfe" + text.encode("utf-16-le"), "short": b"1|2|3|"}.items():
    open(f"{sys.argv[1]}/{name}", "wb").write(data)
PY

sox -n -r 8000 -c 1 -b 8 "$seeds/wav/mono8.wav" synth 0.005 sine 440
sox -n -r 22050 -c 2 -b 16 "$seeds/wav/stereo16.wav" synth 0.002 square 300
for ogg in "mono 8000 1 0.05 440" "stereo 11025 2 0.02 200"; do
  set -- $ogg
  sox -n -r "$2" -c "$3" -b 16 "$tmp/$1.wav" synth "$4" sine "$5" && oggenc -Q -q 0 -o "$seeds/ogg/$1.ogg" "$tmp/$1.wav"
done

convert -size 1x1 xc:gray50 -depth 8 "$seeds/image/grey.png"
convert -size 16x16 gradient:red-blue -alpha set -channel A -evaluate set 50% "$seeds/image/rgba.png"
convert -size 24x8 gradient:white-black -colorspace Gray -alpha set "$seeds/image/grey-alpha.png"
convert -size 12x12 pattern:checkerboard -type Palette "$seeds/image/palette.png"

printf '%s' "http://user:pw@example.org:8080/a/b?q=1#frag" >"$seeds/url/full"
printf '%s' "example.org/path?x#y?z" >"$seeds/url/bare"
printf '%s' "https://[::1]:99999999999/" >"$seeds/url/port"

printf '\003HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\nh\xc3\xa9llo \xe2\x82\xac' >"$seeds/http_reply/ok"
printf '\001HTTP/1.1 404 Not Found\n\n' >"$seeds/http_reply/empty-body"
printf '\007http/1.0 301\r\nLocation: /x\r\n\r\n\xff\xfe' >"$seeds/http_reply/latin"

printf 'A\0001\000B\0000\000z\0001\000' >"$seeds/decrunch/short"
printf 'H\0000\000C\0001\000E\0000\000' >"$seeds/decrunch/row"
