#!/usr/bin/env bash
# The LV2 audio binary, loaded into a host's audio process, must load no
# drawing or windowing library, directly (DT_NEEDED) or through another (ldd);
# the UI binary, which must load them, shows that the check recognises them.
# usage: check_audio_binary_links.sh AUDIO_BINARY UI_BINARY
set -euo pipefail

audio=$1 ui=$2
interface_libraries='^lib(cairo|pixman-1|fontconfig|freetype|png16|X11|X11-xcb|xcb[a-z-]*|Xext|Xrender|gtk-3|gdk-3)\.so'

# The interface libraries a binary needs or loads.
interface_libraries_of() {
  [ -f "$1" ] || { echo "FAIL: no binary $1" >&2; exit 1; }
  { readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'; ldd "$1" | awk '{print $1}'; } |
    grep -E "$interface_libraries" | sort -u || true
}

failures=0
offending=$(interface_libraries_of "$audio")
if [ -n "$offending" ]; then
  echo "FAIL: the audio binary loads interface libraries:"
  sed 's/^/  /' <<<"$offending"
  failures=$((failures + 1))
fi
ui_loaded=$(interface_libraries_of "$ui")
if ! grep -q '^libX11\.so' <<<"$ui_loaded" || ! grep -q '^libcairo\.so' <<<"$ui_loaded"; then
  echo "FAIL: the UI binary $(basename "$ui") does not load both libX11 and libcairo: the check cannot tell"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] && echo "audio binary links no drawing or windowing library"
exit "$failures"
