#!/usr/bin/env bash
# The LV2 audio binary is loaded into a host's audio process: it must load no
# drawing or windowing library, neither directly (DT_NEEDED) nor through
# another library (ldd). The bundle's UI binary, which must load them, shows
# that the check recognises them.
#
# usage: check_audio_binary_links.sh AUDIO_BINARY UI_BINARY
# Exit code 0 when the audio binary is clean and the UI binary is not.
set -euo pipefail

audio=$1
ui=$2
interface_libraries='lib(cairo|pixman-1|fontconfig|freetype|png16|X11|X11-xcb|xcb[a-z-]*|Xext|Xrender|gtk-3|gdk-3)\.so'

failures=0
for binary in "$audio" "$ui"; do
  [ -f "$binary" ] || { echo "FAIL: no binary $binary"; exit 1; }
done

needed=$(readelf -d "$audio" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
loaded=$(ldd "$audio" | awk '{print $1}')
echo "$(basename "$audio") needs: $(echo $needed)"
echo "$(basename "$audio") loads $(wc -l <<<"$loaded") libraries"
offending=$(printf '%s\n%s\n' "$needed" "$loaded" | grep -E "^$interface_libraries" | sort -u || true)
if [ -n "$offending" ]; then
  echo "FAIL: the audio binary loads interface libraries:"
  sed 's/^/  /' <<<"$offending"
  failures=$((failures + 1))
fi

ui_loaded=$(ldd "$ui" | awk '{print $1}')
if ! grep -qE '^libX11\.so' <<<"$ui_loaded" || ! grep -qE '^libcairo\.so' <<<"$ui_loaded"; then
  echo "FAIL: the UI binary $(basename "$ui") does not load both libX11 and libcairo: the check cannot tell"
  failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] && echo "audio binary links no drawing or windowing library"
exit "$failures"
