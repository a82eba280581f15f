#!/usr/bin/env bash
# The program as a screen-reader user meets it, against a node of the test's own: Xvfb, a
# private session bus with the accessibility bus and a notification service, the program
# with the real country file and a log with Japan worked on 20 m only; the node sends
# three spots once script 1 has logged in, and atspi_needs.py reads the "All" list.
#   atspi_needs.sh KESTREL TESTNODE DATA_FOLDER
set -euo pipefail
kestrel=$1 node=$2 data=$3
here=$(cd "$(dirname "$0")" && pwd)
for needed in xvfb-run dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher; do
  command -v "$needed" >/dev/null || { echo "FAIL: $needed is missing (scripts/deps.sh test installs it)"; exit 1; }
done
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/config/kestrel" "$work/runtime"
chmod 700 "$work/runtime"
cp "$data/cty.csv" "$work/config/kestrel/"
printf '<ADIF_VER:5>3.1.4<EOH>\r\n<CALL:6>JA1XYZ<DXCC:3>339<BAND:3>20m<QSO_DATE:8>20261201<EOR>\r\n' >"$work/log.adi"
{
  echo "DX de DL1ABC:    14025.0  JA2ABC       CW                             1200Z"
  echo "DX de DL1ABC:    21025.0  JA3ABC       CW                             1201Z"
  echo "DX de DL1ABC:    14030.0  VK2XYZ       CW                             1202Z"
} >"$work/spots.txt"

"$node" --port 0 --no-beep --replay "$work/spots.txt" >"$work/node.out" 2>&1 &
for _ in $(seq 50); do grep -q listening "$work/node.out" && break; sleep 0.1; done
port=$(sed -n 's/.*127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/node.out" | head -1)
[ -n "$port" ] || { echo "FAIL: the test node did not start"; exit 1; }
printf '[NODES]\r\nADDRESS1=127.0.0.1\r\nPORT_NO1=%s\r\n[STATION]\r\nLOCATOR=JN58td\r\nADIF_LOG=%s\r\nALERT_NEW_ONE=1\r\n' \
  "$port" "$work/log.adi" >"$work/config/kestrel/Kestrel.ini"
printf 'node 1\nuntil login:\nsend XX1AA\n' >"$work/config/kestrel/script1.txt"

export KESTREL=$kestrel HERE=$here NOTIFIED=$work/notified XDG_CONFIG_HOME=$work/config
export XDG_RUNTIME_DIR=$work/runtime APP_LOG=$work/app.log
touch "$NOTIFIED"
xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c '
  /usr/bin/python3 "$HERE/fake_notifications.py" & 
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  sleep 1
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb "$KESTREL" >"$APP_LOG" 2>&1 &
  /usr/bin/python3 "$HERE/atspi_needs.py"; status=$?
  kill $(jobs -p) 2>/dev/null
  exit $status' || { cat "$work/app.log"; exit 1; }
