#!/usr/bin/env bash
# The Debian package of a built tree, unpacked into a scratch root: the
# program finds its installed module, the LV2 bundle, manual page and bash
# completion work, and lintian reports no errors.
#   check_package.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb lv2ls lv2info lintian; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (run setup.sh)"
done

scratch=$(mktemp -d /tmp/orvanta-package-test-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

echo "== cpack -G DEB"
(cd "$build" && cpack -G DEB -B "$scratch/out" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb="$scratch/out/orvanta_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $deb"

echo "== control fields"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libc6 libstdc++6 libsndfile1 libcairo2 libfftw3-double3 libplplot17 plplot-driver-cairo; do
  grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed"
done
[ "$(dpkg-deb -f "$deb" Package)" = orvanta ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"

echo "== unpack"
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
for path in usr/bin/orvanta \
            usr/lib/aax/Orvanta.aaxplugin/Contents/x86_64-linux/Orvanta.so \
            usr/lib/aax/Orvanta.aaxplugin/Contents/Resources/ZirorovAruva_d5.xml \
            usr/lib/lv2/orvanta.lv2/manifest.ttl usr/lib/lv2/orvanta.lv2/orvanta.ttl \
            usr/lib/lv2/orvanta.lv2/presets.ttl usr/lib/lv2/orvanta.lv2/orvanta_lv2.so \
            usr/lib/lv2/orvanta.lv2/orvanta_ui.ttl usr/lib/lv2/orvanta.lv2/orvanta_lv2_ui.so \
            usr/lib/lv2/orvanta.lv2/bitmaps/bmp31010.png usr/lib/lv2/orvanta.lv2/bitmaps/bmp31027.png \
            usr/share/man/man1/orvanta.1.gz usr/share/bash-completion/completions/orvanta \
            usr/share/doc/orvanta/copyright usr/share/doc/orvanta/changelog.gz; do
  [ -f "$root/$path" ] || fail "the package does not install /$path"
done
program="$root/usr/bin/orvanta"

echo "== installed orvanta --version"
"$program" --version | tee "$scratch/version"
grep -qx "orvanta $version" "$scratch/version" || fail "--version does not print orvanta $version"

echo "== installed orvanta process (module found without --plugin)"
example="$source/examples/example-48k-stereo.wav"
"$program" process "$example" "$scratch/installed.wav" --set Harmonic=60 --set Color=Gold --quiet
"$build/host/orvanta" process "$example" "$scratch/built.wav" --set Harmonic=60 --set Color=Gold --quiet
cmp "$scratch/installed.wav" "$scratch/built.wav" || fail "the installed program renders differently from the build"

echo "== lv2ls and lv2info with LV2_PATH at the installed bundle"
export LV2_PATH="$root/usr/lib/lv2"
mapfile -t uris < <(lv2ls)
[ "${#uris[@]}" -eq 2 ] || fail "lv2ls lists ${#uris[@]} plug-ins, not 2: ${uris[*]}"
for uri in "${uris[@]}"; do
  lv2info "$uri" >"$scratch/info" || fail "lv2info $uri failed"
  grep -q "Bundle: *file://$root/usr/lib/lv2/orvanta.lv2/" "$scratch/info" || fail "lv2info $uri: not the installed bundle"
  ports=$(grep -cE '^\s*Port [0-9]+:' "$scratch/info" || true)
  [ "$ports" -ge 9 ] || fail "lv2info $uri lists $ports ports, not 7 control and 2 or 4 audio ports"
  grep -q "Binary: *file://$root/usr/lib/lv2/orvanta.lv2/orvanta_lv2_ui.so" "$scratch/info" ||
    fail "lv2info $uri: no panel in the installed bundle"
  echo "$uri: $ports ports"
done
grep -q "doap:license <http://opensource.org/licenses/isc>" "$root/usr/lib/lv2/orvanta.lv2/orvanta.ttl" ||
  fail "the LV2 metadata does not name the ISC licence"
grep -q "^License: ISC" "$root/usr/share/doc/orvanta/copyright" || fail "the copyright file does not name ISC"

echo "== manual page"
manpage=$(zcat "$root/usr/share/man/man1/orvanta.1.gz")
for command in $("$program" --help | sed -n '/^Commands:/,/^$/p' | awk 'NR > 1 && NF {print $1}'); do
  grep -q "^\.SS $command\$" <<<"$manpage" || fail "the manual page lacks the command $command"
done
for code in 0 64 65 66 70 73 74; do
  grep -q "^ *$code  " <<<"$manpage" || fail "the manual page lacks exit code $code"
done
grep -q '^\.SH EXAMPLES' <<<"$manpage" || fail "the manual page has no examples"

echo "== bash completion"
bash -c '
  source "$1"
  complete_line() { COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _orvanta; echo "${COMPREPLY[*]}"; }
  check() { local expected=$1; shift; local got; got=$(complete_line "$@");
    [ "$got" = "$expected" ] || { echo "completing [$*]: \"$got\", not \"$expected\"" >&2; exit 1; }; }
  check "analyze" orvanta ana
  check "--keep-latency" orvanta process --keep
  check "Harmonic=" orvanta process in.wav out.wav --set Har
  check "Gold" orvanta process --set Color = Go
  check "Color=Deep" orvanta params --set Color=De
  check "Off On" orvanta process --set Dither =
  check "all" orvanta analyze --colors a
' _ "$root/usr/share/bash-completion/completions/orvanta" || fail "bash completion"

echo "== lintian (it warns about the root privileges CI has)"
status=0
lintian --fail-on error "$deb" >"$scratch/lintian" 2>&1 || status=$?
grep -v "running with root privileges" "$scratch/lintian" || true
[ "$status" -eq 0 ] || fail "lintian reports errors (exit status $status)"
echo "package check passed"
