#!/bin/bash
# Installs the build into a fresh folder (prefix ROOT/usr) and checks what the desktop and a
# distribution need from it: exactly the expected files, the program where Debian puts games,
# and a desktop entry, metainfo, manual page and icons that the real validators and renderers
# accept without a single warning.
#   check_install.sh CMAKE BUILD_DIR ROOT
set -euo pipefail

cmake=$1 build=$2 root=$3
prefix=$root/usr
id=org.starquill.Starquill
sizes=(16 24 32 48 64 128 256)
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$root"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

# Nothing more and nothing less: a stray file would end up in the package too.
expected=(games/starquill "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
  share/xscreensaver/config/starquill.xml
  share/man/man6/starquill.6.gz share/doc/starquill/copyright share/doc/starquill/changelog.gz
  "share/icons/hicolor/scalable/apps/$id.svg")
for n in "${sizes[@]}"; do expected+=("share/icons/hicolor/${n}x$n/apps/$id.png"); done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$prefix" && find . -type f -printf '%P\n' | sort) ||
  fail "installed files differ from the expected ones (< missing, > unexpected)"
[[ -x $prefix/games/starquill ]] || fail "games/starquill is not executable"

# The validators print their findings and may still exit 0: any output at all is a failure.
entry=$prefix/share/applications/$id.desktop
if [[ -f $entry ]]; then
  found=$(desktop-file-validate "$entry" 2>&1) && [[ -z $found ]] ||
    fail "desktop-file-validate: $found"
  for line in Name=Starquill Exec=starquill "Icon=$id" Terminal=false StartupWMClass=Starquill; do
    grep -qx -- "$line" "$entry" || fail "$entry: no line $line"
  done
fi
# The tree as a whole, which also checks that the metainfo's launchable names an installed
# desktop entry. --strict fails on any finding but pedantic ones (the capitals in the id, which
# the reverse-DNS application id has).
found=$(appstreamcli validate-tree --no-net --strict "$root" 2>&1) ||
  fail "appstreamcli validate-tree: $found"

# The screen saver's description is well-formed and offers exactly the options the program takes.
saver=$prefix/share/xscreensaver/config/starquill.xml
if [[ -f $saver ]]; then
  xmllint --noout "$saver" || fail "$saver is not well-formed XML"
  while read -r option; do
    "$prefix/games/starquill" --help | grep -q -- "^ *$option " || fail "$saver: --help lacks $option"
  done < <(grep -o -- '--[a-z][a-z-]*' "$saver" | sort -u)
fi

manual=$prefix/share/man/man6/starquill.6.gz
if [[ -f $manual ]]; then
  gzip -t "$manual" || fail "$manual is not gzip-compressed"
  found=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$manual" 2>&1 >/dev/null) && [[ -z $found ]] ||
    fail "$manual does not render cleanly: $found"
fi

for n in "${sizes[@]}"; do
  png=$prefix/share/icons/hicolor/${n}x$n/apps/$id.png
  [[ -f $png ]] || continue
  got=$(identify -format '%m %w %h %A' "$png" 2>&1) || true
  # %A: "Blend" or "True" when the image has an alpha channel.
  [[ $got =~ ^PNG\ $n\ $n\ (Blend|True)$ ]] || fail "$png: expected a ${n}x$n PNG with alpha, got: $got"
done
# The SVG is well-formed and, rendered by the desktop's SVG library at its own size, is the
# 32 px icon pixel for pixel.
svg=$prefix/share/icons/hicolor/scalable/apps/$id.svg
if [[ -f $svg ]]; then
  xmllint --noout "$svg" || fail "$svg is not well-formed XML"
  rendered=$(mktemp --suffix=.png)
  if rsvg-convert "$svg" -o "$rendered"; then
    differing=$(compare -metric AE "$rendered" "$prefix/share/icons/hicolor/32x32/apps/$id.png" \
      null: 2>&1) || true
    [[ $differing == 0 ]] || fail "$svg rendered differs from the 32 px icon in $differing pixels"
  else
    fail "rsvg-convert cannot render $svg"
  fi
  rm -f "$rendered"
fi

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed correctly into $prefix"
