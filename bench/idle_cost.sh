#!/usr/bin/env bash
# What Tapestrel costs while it sits in the tray. Starts a copy of the built
# program with -SILENT on a list of 1,000 entries that changes every minute,
# in a home of its own on a virtual X server, and prints:
#   - the resident memory after the start (the limit is 40 MB),
#   - the resident memory after each wallpaper change (within 5 MB of that),
#   - the voluntary context switches over two minutes (the process should
#     wake only for its minute tick and the changes).
# Not run in CI: it takes a little over two minutes.
#
#   bench/idle_cost.sh [BUILD_DIR]      (default build/release, then build/dev)
#
# IDLE_SECONDS sets the watch (default 120); IDLE_SCHEDULE=3,1,1 makes the
# list never change, which leaves only the minute ticks to wake the program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-}
if [ -z "$build" ]; then
  for candidate in "$top/build/release" "$top/build/dev"; do
    [ -x "$candidate/program/tapestrel" ] && build=$candidate && break
  done
fi
program="$build/program/tapestrel"
make_list="$build/bin/tool_make_list"
if [ ! -x "$program" ] || [ ! -x "$make_list" ]; then
  echo "build the program and the bench tools first: bash scripts/build build/dev" >&2
  exit 1
fi
seconds=${IDLE_SECONDS:-120}

work=$(mktemp -d)
pid=
xvfb=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" INT TERM
mb() { awk -v kb="$1" 'BEGIN { printf "%.1f", kb / 1024 }'; }

home="$work/home"
mkdir -p "$home/Documents/My Magic Lists" "$work/prog" "$work/run" "$work/pictures"
chmod 700 "$work/run"
cp "$program" "$work/prog/tapestrel"

# Ten camera-sized pictures (1920 x 1080, noise so that nothing compresses
# away), shared out over the 1,000 entries.
pictures=()
for i in 0 1 2 3 4 5 6 7 8 9; do
  f="$work/pictures/p$i.ppm"
  { printf 'P6\n1920 1080\n255\n'; head -c $((1920 * 1080 * 3)) /dev/urandom; } >"$f"
  pictures+=(--picture "$f")
done
list="$home/Documents/My Magic Lists/MList1.MLS"
"$make_list" "$list" 1000 --name "Idle cost" "${pictures[@]}" --schedule "${IDLE_SCHEDULE:-0,1,1}" >/dev/null

hive="$home/.config/Tapestrel/HKEY_CURRENT_USER.reg"
mkdir -p "$(dirname "$hive")"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Orlevane\\Tapestrel\\Options]\r\n"ActiveList"="%s"\r\n"DisplayMMessage"="FALSE"\r\n\r\n' \
  "$list" >"$hive"

run() {
  exec env -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME -u XDG_CURRENT_DESKTOP \
    -u WAYLAND_DISPLAY -u SESSION_MANAGER \
    HOME="$home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" \
    QT_LOGGING_RULES="tapestrel.life.info=true" "$@"
}

if [ -n "${DISPLAY:-}" ] && [ "${IDLE_OWN_X:-1}" = 0 ]; then
  (run "$work/prog/tapestrel" -SILENT 2>"$work/log") &
  pid=$!
else
  # A private X server, so that the figures do not depend on the desktop.
  display=:$(( (RANDOM % 400) + 100 ))
  Xvfb "$display" -screen 0 1920x1080x24 -noreset -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  (DISPLAY=$display run "$work/prog/tapestrel" -SILENT 2>"$work/log") &
  pid=$!
fi

status() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$pid/status"; }
# Every thread's, not only the main one's: the X connection has a reader of
# its own, and the renderer may use helpers.
switches() { cat /proc/"$pid"/task/*/status | awk '$1 == "voluntary_ctxt_switches:" { n += $2 } END { print n }'; }
active_item() { grep -o '"ActiveItem"="[0-9]*"' "$hive" 2>/dev/null | tr -dc '0-9'; }

for _ in $(seq 100); do
  grep -q started "$work/log" 2>/dev/null && break
  sleep 0.1
done
if ! grep -q started "$work/log"; then
  echo "the program did not start:" >&2
  cat "$work/log" >&2
  exit 1
fi
sleep 1
base_kb=$(status VmRSS)
start_switches=$(switches)
echo "resident after a -SILENT start with 1,000 entries: $(mb "$base_kb") MB (limit 40 MB)"

last=$(active_item)
worst=0
changes=0
end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
  sleep 1
  now=$(active_item)
  if [ "$now" != "$last" ]; then
    sleep 1 # the change has been recorded; let it finish
    kb=$(status VmRSS)
    changes=$((changes + 1))
    diff=$((kb - base_kb))
    [ $diff -gt $worst ] && worst=$diff
    echo "resident after change $changes (entry $now): $(mb "$kb") MB ($(mb "$diff") MB more)"
    last=$now
  fi
done
end_switches=$(switches)
echo "wallpaper changes in $seconds s: $changes; largest growth over the start:" \
  "$(mb "$worst") MB (limit 5 MB)"
echo "voluntary context switches in $seconds s, all threads: $((end_switches - start_switches))" \
  "($changes of the ticks changed the wallpaper)"
