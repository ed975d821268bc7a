# shellcheck shell=bash
# The surroundings of a Windows program on this machine, for tools/wine-check (sourced; it sets
# $root, the repository, and $work, the check's folder): a 640 x 480 x 16 X screen (Xvfb), a
# PulseAudio server whose only output is a null sink, and one reused Wine prefix. Everything
# started here is stopped by stop_session.

wine_packages=(g++-mingw-w64-x86-64 wine wine64 xvfb x11-utils xdotool imagemagick
  pulseaudio pulseaudio-utils python3)

install_wine_packages() {
  local missing=() package
  for package in "${wine_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing: ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get update -qq
  # With the recommended packages: Wine's X11 driver switches modes through libxrandr2 and
  # libxxf86vm1, which Debian lists only as recommendations.
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

xvfb_pid=
pulse_pid=

# Xvfb on the first free display from :90 on. Wine can switch to 640 x 480 x 16 only when the
# X screen already is that mode, as Xvfb offers no other.
start_x_screen() {
  local number=90
  while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do
    number=$((number + 1))
  done
  Xvfb ":$number" -screen 0 640x480x16 -nolisten tcp >"$work/xvfb.txt" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$number"
  local tries=0
  until xdpyinfo >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -lt 50 ] || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.txt" >&2; return 1; }
    sleep 0.1
  done
}

# A private PulseAudio server with a null sink, so DirectSound has a device that plays in
# real time without sound hardware.
start_sound_server() {
  mkdir -p "$work/pulse/home" "$work/pulse/runtime"
  HOME="$work/pulse/home" XDG_RUNTIME_DIR="$work/pulse/runtime" \
    pulseaudio --daemonize=no -n --exit-idle-time=-1 --use-pid-file=no \
    --load="module-null-sink sink_name=wine_check" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/native" \
    --log-target=file:"$work/pulse/log.txt" &
  pulse_pid=$!
  export PULSE_SERVER="unix:$work/pulse/native"
  local tries=0
  until pactl info >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -lt 50 ] || { echo "PulseAudio did not start:" >&2; cat "$work/pulse/log.txt" >&2; return 1; }
    sleep 0.1
  done
}

# The Wine prefix is made once (about 20 s) and reused by later checks.
prepare_wine() {
  wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
  export WINEPREFIX="$root/build/wine-prefix" WINEDEBUG=-all
  # No Mono or Gecko installer prompts in a headless session.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making the Wine prefix $WINEPREFIX"
    "$wine" wineboot -i >"$work/wineboot.txt" 2>&1
  fi
}

stop_session() {
  # Debian keeps wineserver beside Wine's libraries, not on PATH.
  local server
  server=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  if [ -n "${WINEPREFIX:-}" ] && [ -x "$server" ]; then "$server" -k >/dev/null 2>&1 || true; fi
  if [ -n "$pulse_pid" ]; then kill "$pulse_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
}
