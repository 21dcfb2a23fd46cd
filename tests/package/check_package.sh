#!/bin/bash
# Builds the Debian package from the built tree with CPack, as `make package` does, and checks
# it as a distribution would: lintian finds no error and no warning, the control fields say
# what the package is and needs, and every file is where Debian wants it, owned by root, with
# plain permissions.
#   check_package.sh CPACK BUILD_DIR WORK_DIR
set -euo pipefail

cpack=$1 build=$2 work=$3
id=org.starquill.Starquill
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$work"
mkdir -p "$work"
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; exit 1; }
debs=("$work"/*.deb)
((${#debs[@]} == 1)) && [[ -f ${debs[0]} ]] || { echo "FAIL: no single .deb in $work" >&2; exit 1; }
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == starquill ]] || fail "Package: $(field Package)"
[[ $(field Section) == games ]] || fail "Section: $(field Section)"
# The fonts are found by name at run time; the libraries come from dpkg-shlibdeps.
depends=$(field Depends)
for package in fonts-liberation2 fonts-dejavu-core libqt6widgets6 libfreetype6 libfontconfig1; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done

[[ $(field Suggests) == *xscreensaver* ]] || fail "Suggests lacks xscreensaver: $(field Suggests)"
[[ $(field Recommends) == *qt6-wayland* ]] || fail "Recommends lacks qt6-wayland: $(field Recommends)"

listing=$(dpkg-deb -c "$deb" | awk '{ print $1, $2, $6 }')
expected=(./usr/games/starquill "./usr/share/applications/$id.desktop"
  "./usr/share/metainfo/$id.metainfo.xml" ./usr/share/xscreensaver/config/starquill.xml
  ./usr/share/man/man6/starquill.6.gz
  ./usr/share/doc/starquill/copyright ./usr/share/doc/starquill/changelog.gz
  "./usr/share/icons/hicolor/scalable/apps/$id.svg")
for n in 16 24 32 48 64 128 256; do expected+=("./usr/share/icons/hicolor/${n}x$n/apps/$id.png"); done
for path in "${expected[@]}"; do
  grep -q " $path\$" <<<"$listing" || fail "the package lacks $path"
done
while read -r mode owner path; do
  case $mode in
    d*) want=drwxr-xr-x ;;
    *) [[ $path == ./usr/games/starquill ]] && want=-rwxr-xr-x || want=-rw-r--r-- ;;
  esac
  [[ $mode == "$want" && $owner == root/root ]] || fail "$path: $mode $owner, expected $want root/root"
done <<<"$listing"

# lintian says it would rather not run as root; that is all it may say on stderr.
if ! lintian --fail-on error,warning --display-info "$deb" >"$work/lintian.log" 2>&1; then
  fail "lintian: $(grep -v '^running with root privileges' "$work/lintian.log")"
fi

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "$(basename "$deb") built and checked; lintian's remaining notes:"
grep -v '^running with root privileges' "$work/lintian.log" || echo "(none)"
