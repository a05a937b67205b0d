#!/usr/bin/env bash
# Renders the pictures the README shows: the main window under Xvfb, the
# day readout and the day tip (driven with xdotool), and the printed page of
# the same chart as PDF and PNG. Needs a built tree (make build) and the
# packages xvfb, xdotool, imagemagick and poppler-utils.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin=$top/build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A small database: three people, in the program's own file format.
python3 - "$work/database.bio" <<'PY'
import struct, sys
people = [("Ada Lovelace", "1815", "12", "10"), ("Alan Turing", "1912", "06", "23"), ("Grace Hopper", "1906", "12", "09")]
out = struct.pack("<H", len(people))
for i, person in enumerate(people):
    out += struct.pack("<HHH", 0xFFFF, 0, 5) + b"CName" if i == 0 else struct.pack("<H", 0x8001)
    for field in person:
        data = field.encode()
        out += bytes([len(data)]) + data
open(sys.argv[1], "wb").write(out)
PY

cd "$work"
"$bin/orvina-cli" render "$top/docs/sample-page.pdf" --person 1 --month 2026-12 --day 6
pdftoppm -r 80 -png -singlefile "$top/docs/sample-page.pdf" "$top/docs/sample-page"

# The window: chosen person 1, shown at a fixed size on a virtual screen.
mkdir -p config/Quandrel
printf '[Settings]\nBioName=1\n[Layout]\nflags=0\nshowCmd=1\nx1=0\ny1=0\nx2=900\ny2=620\n' > "config/Quandrel/Orvina 2.1.conf"
XDG_CONFIG_HOME=$work/config xvfb-run -a -s "-screen 0 1000x700x24" bash -c "
    '$bin/orvina' & pid=\$!
    sleep 3
    import -window root '$work/screen.png'
    kill -TERM \$pid; wait \$pid"
convert "$work/screen.png" -crop 900x620+0+0 +repage "$top/docs/window.png"

# The day readout, driven with xdotool: a click in the 10th column and Right
# twice select the 12th, whose values the status bar shows; then the mouse
# rests on the 7th column until its tip shows.
XDG_CONFIG_HOME=$work/config xvfb-run -a -s "-screen 0 1000x700x24" bash -c "
    '$bin/orvina' & pid=\$!
    sleep 3
    xdotool mousemove 270 300 click 1
    sleep 0.5
    xdotool key Right Right
    sleep 1
    import -window root '$work/readout.png'
    xdotool mousemove 190 250
    sleep 0.3
    xdotool mousemove 192 252
    sleep 2.5
    import -window root '$work/tooltip.png'
    kill -TERM \$pid; wait \$pid"
convert "$work/readout.png" -crop 900x620+0+0 +repage "$top/docs/readout.png"
convert "$work/tooltip.png" -crop 900x620+0+0 +repage "$top/docs/tooltip.png"
echo "wrote docs/window.png, docs/readout.png, docs/tooltip.png, docs/sample-page.pdf, docs/sample-page.png"
