#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the project's private prefix and one shared
# virtual desktop, and afterwards stops exactly what it started.
#
#   tools/wine-session.sh [--interactive] PROGRAM.exe [ARGS...]
#
# Without a usable DISPLAY (or with WAVELITH_HEADLESS=1) a private Xvfb is started for the
# session. --interactive (used by `make run`) prints how to look at a private display.
# The program's exit code is this script's exit code.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
interactive=0
if [ "${1:-}" = "--interactive" ]; then
  interactive=1
  shift
fi
if [ $# -lt 1 ]; then
  echo "usage: $0 [--interactive] PROGRAM.exe [ARGS...]" >&2
  exit 2
fi

export WINEPREFIX="${WAVELITH_WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
mkdir -p "$(dirname "$WINEPREFIX")"

# One session at a time per prefix: a second one would share, then kill, the first's wineserver.
exec 9>"$WINEPREFIX.lock"
if ! flock -n 9; then
  echo "wine-session: waiting for another session on $WINEPREFIX" >&2
  flock 9
fi

xvfb_pid=""
started_wineserver=0
cleanup() {
  if [ "$started_wineserver" = 1 ]; then
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

display_usable() {
  [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

if [ "${WAVELITH_HEADLESS:-0}" = 1 ] || ! display_usable; then
  for n in $(seq 90 189); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
      xvfb_pid=$!
      export DISPLAY=":$n"
      for _ in $(seq 1 100); do
        if xdpyinfo >/dev/null 2>&1; then break; fi
        if ! kill -0 "$xvfb_pid" 2>/dev/null; then xvfb_pid=""; break; fi
        sleep 0.1
      done
      if [ -n "$xvfb_pid" ] && xdpyinfo >/dev/null 2>&1; then break; fi
      [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
      xvfb_pid=""
    fi
  done
  if [ -z "$xvfb_pid" ]; then
    echo "wine-session: cannot start Xvfb" >&2
    exit 1
  fi
fi

started_wineserver=1

ready_mark="$WINEPREFIX/.wavelith-prefix-v2"
if [ ! -f "$ready_mark" ]; then
  echo "wine-session: creating the Wine prefix $WINEPREFIX (once, about 15 s)" >&2
  "$wine" wineboot -i >/dev/null 2>&1 || true
  "$wineserver" -w
  reg() { "$wine" reg add "$@" /f >/dev/null 2>&1; }
  # One shared virtual desktop, so that every program finds the others' windows.
  reg 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default
  reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x700
  reg 'HKCU\Software\Wine' /v Version /t REG_SZ /d win10
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_SZ /d IPAGothic
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Yu Gothic UI' /t REG_SZ /d IPAGothic
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Meiryo UI' /t REG_SZ /d IPAGothic
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Gothic' /t REG_SZ /d IPAGothic
  # Wine ships no Tahoma here: the system's dialog and caption fonts get a proportional face
  # with Latin and Japanese glyphs instead of a fallback twice as wide.
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Shell Dlg' /t REG_SZ /d IPAPGothic
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Shell Dlg 2' /t REG_SZ /d IPAPGothic
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Tahoma' /t REG_SZ /d IPAPGothic
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w
  touch "$ready_mark"
fi

if [ "$interactive" = 1 ]; then
  if [ -n "$xvfb_pid" ]; then
    cat >&2 <<MSG
wine-session: no display here, so Wavelith runs on a private X server, DISPLAY=$DISPLAY.
  Look at it:   DISPLAY=$DISPLAY import -window root shot.png
  Or watch it:  x11vnc -display $DISPLAY   (if installed; then a VNC viewer on port 5900)
MSG
  else
    echo "wine-session: Wavelith runs in the Wine desktop window on $DISPLAY." >&2
  fi
  echo "wine-session: end it with Ctrl+C here." >&2
fi

status=0
"$wine" "$@" || status=$?
exit "$status"
