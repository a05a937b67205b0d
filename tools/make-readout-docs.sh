#!/usr/bin/env bash
# Renders the two pictures of the day readout under Xvfb, driving the real
# program with xdotool: docs/readout.png (a day selected by a click and the
# Right key, its values in the status bar) and docs/tooltip.png (the tip of
# the day under the mouse). Needs a built tree and the packages xvfb,
# xdotool and imagemagick.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin=$top/build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Two people in the program's own file format; the second is chosen.
python3 - "$work/database.bio" <<'PY'
import struct, sys
people = [("Ada Lovelace", "1815", "12", "10"), ("Alan Turing", "1912", "06", "23")]
out = struct.pack("<H", len(people))
for i, person in enumerate(people):
    out += struct.pack("<HHH", 0xFFFF, 0, 5) + b"CName" if i == 0 else struct.pack("<H", 0x8001)
    for field in person:
        data = field.encode()
        out += bytes([len(data)]) + data
open(sys.argv[1], "wb").write(out)
PY

cd "$work"
mkdir -p config/Quandrel
printf '[Settings]\nBioName=1\n[Layout]\nflags=0\nshowCmd=1\nx1=0\ny1=0\nx2=900\ny2=620\n' > "config/Quandrel/Orvina 2.1.conf"
XDG_CONFIG_HOME=$work/config xvfb-run -a -s "-screen 0 1000x700x24" bash -c "
    '$bin/orvina' & pid=\$!
    sleep 3
    # A click in the 10th column selects it and focuses the chart; Right twice moves to the 12th.
    xdotool mousemove 270 300 click 1
    sleep 0.5
    xdotool key Right Right
    sleep 1
    import -window root '$work/readout.png'
    # Resting on the 7th column shows its tip.
    xdotool mousemove 190 250
    sleep 0.3
    xdotool mousemove 192 252
    sleep 2.5
    import -window root '$work/tooltip.png'
    kill -TERM \$pid; wait \$pid"
convert "$work/readout.png" -crop 900x620+0+0 +repage "$top/docs/readout.png"
convert "$work/tooltip.png" -crop 900x620+0+0 +repage "$top/docs/tooltip.png"
echo "wrote docs/readout.png, docs/tooltip.png"
