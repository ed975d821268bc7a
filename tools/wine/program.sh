# shellcheck shell=bash
# Running Glimmerfall.exe under Wine and Glimmerfall on our headless backend, for
# tools/wine-check (sourced after session.sh).

program_pid=

# Starts the Windows program in $work/windows with the given command line.
start_windows_program() {
  rm -f "$work/windows/Glimmerfall.log"
  (cd "$work/windows" && exec "$wine" "$root/build/windows/bin/Glimmerfall.exe" "$@") \
    >"$work/windows/output.txt" 2>&1 &
  program_pid=$!
}

# Waits for the settings dialog and answers it with keys pressed on the X screen.
answer_settings_dialog() {
  local dialog
  dialog=$(timeout 60 xdotool search --sync --onlyvisible --name '^Korvani - Glimmerfall$' | head -1) ||
    { echo "the settings dialog did not appear" >&2; return 1; }
  xdotool windowfocus --sync "$dialog"
  [ -z "${1:-}" ] || take_screenshot "$1"
  shift
  xdotool key "$@"
}

# A key press ends the demo; the program must then be gone within 30 s.
end_windows_program() {
  xdotool key space
  wait_for_windows_program
}

# Waits up to $1 seconds (default 30) for the program to end.
wait_for_windows_program() {
  local waited=0 limit=$((${1:-30} * 10))
  while kill -0 "$program_pid" 2>/dev/null; do
    waited=$((waited + 1))
    if [ $waited -gt $limit ]; then
      echo "Glimmerfall.exe did not end" >&2
      kill "$program_pid" 2>/dev/null
      return 1
    fi
    sleep 0.1
  done
  wait "$program_pid" 2>/dev/null || true
}

take_screenshot() {
  import -window root "$work/screens/$1.png"
}

# Our own program on the headless backend, in $work/linux, with the given options.
run_linux_program() {
  (cd "$work/linux" && XDG_CONFIG_HOME="$work/linux/config" "$linux_program" "$@") \
    >"$work/linux/output.txt" 2>&1
}

# The log without the names and the number of the devices found, which differ between
# Wine's drivers and our backends: each "  Enumerating NAME:" / "  done." pair of one
# enumeration becomes a single "  Enumerating (devices):" / "  done.".
log_without_devices() {
  tr -d '\r' <"$1" | awk '
    /^  Enumerating .*:$/ { if (!listing) print "  Enumerating (devices):"; listing = 1; skip = 1; next }
    skip && /^  done\.$/ { skip = 0; next }
    { if (listing) { print "  done."; listing = 0 } print }'
}

same_log() {
  local name=$1
  log_without_devices "$work/windows/Glimmerfall.log" >"$work/logs/$name-windows.log"
  log_without_devices "$work/linux/Glimmerfall.log" >"$work/logs/$name-linux.log"
  if diff -u "$work/logs/$name-linux.log" "$work/logs/$name-windows.log" >"$work/logs/$name.diff"; then
    echo "  log: $(wc -l <"$work/logs/$name-windows.log") lines, as on our backend (devices aside)"
  else
    echo "  log differs from our backend's:" >&2
    cat "$work/logs/$name.diff" >&2
    return 1
  fi
}
