#!/bin/bash
# Installs the build into a fresh folder and checks what the desktop needs from it: the
# program, its desktop entry and its icon at every size, each a PNG of that size with an
# alpha channel.
#   check_install.sh CMAKE BUILD_DIR PREFIX
set -euo pipefail

cmake=$1 build=$2 prefix=$3
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

[[ -x $prefix/bin/starquill ]] || fail "bin/starquill is missing or not executable"

entry=$prefix/share/applications/starquill.desktop
if [[ -f $entry ]]; then
  [[ $(head -n 1 "$entry") == "[Desktop Entry]" ]] || fail "$entry: no [Desktop Entry] group first"
  for line in Type=Application Name=Starquill Exec=starquill Icon=starquill Terminal=false \
      'Categories=Game;'; do
    grep -qx -- "$line" "$entry" || fail "$entry: no line $line"
  done
  grep -q '^Comment=.' "$entry" || fail "$entry: no Comment"
  # Every line is a comment, a group header or Key=value, and no key appears twice.
  bad=$(grep -Evn '^(#.*|\[[^][]+\]|[A-Za-z0-9-]+(\[[^]]+\])?=.*|)$' "$entry" || true)
  [[ -z $bad ]] || fail "$entry: malformed lines: $bad"
  dups=$(grep -Eo '^[A-Za-z0-9-]+(\[[^]]+\])?=' "$entry" | sort | uniq -d)
  [[ -z $dups ]] || fail "$entry: repeated keys: $dups"
else
  fail "$entry is missing"
fi

for n in 16 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${n}x${n}/apps/starquill.png
  if [[ ! -f $png ]]; then
    fail "$png is missing"
    continue
  fi
  got=$(identify -format '%m %w %h %A' "$png" 2>&1) || true
  # %A: "Blend" or "True" when the image has an alpha channel.
  [[ $got =~ ^PNG\ $n\ $n\ (Blend|True)$ ]] || fail "$png: expected a ${n}x${n} PNG with alpha, got: $got"
done

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed correctly into $prefix"
