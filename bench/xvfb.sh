# Sourced by the benchmark scripts: start_xvfb starts one X server for all runs, as on
# an operator's desktop, sets $display to it and stops it when the script ends.
xvfb=
trap '[ -z "$xvfb" ] || kill "$xvfb"' EXIT
start_xvfb() {
  display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
}
