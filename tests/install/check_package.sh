#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it as Debian and
# the desktop would: what it holds, lintian (pedantic: no error, no
# warning, no information tag beyond those the README explains), the man
# pages rendered without a warning and the AppStream metainfo validated.
#   check_package.sh BUILD_DIR VERSION [HARDENED]
# HARDENED 0 (a sanitizer, fuzz or debug build) lets lintian's hardening
# tags pass; by default they are findings. Exit status 77 (skipped) where
# dpkg-deb or cpack is missing.
set -euo pipefail
build="$1"
version="$2"
hardened="${3:-1}"

for tool in dpkg-deb cpack; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool missing, no package is built"
    exit 77
  fi
done

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; exit 1; }
deb="$(ls "$out"/quintara_"$version"_*.deb)"
echo "built $(basename "$deb")"
mkdir "$out/root"
dpkg-deb -x "$deb" "$out/root"
root="$out/root"

status=0
fail() { echo "FAIL: $*"; status=1; }

for f in usr/bin/quintara usr/share/doc/quintara/copyright usr/share/doc/quintara/changelog.gz \
         usr/share/man/man1/quintara.1.gz usr/share/man/de/man1/quintara.1.gz \
         usr/share/metainfo/de.quintara.quintara.metainfo.xml \
         usr/share/applications/quintara.desktop usr/share/quintara/quintara.html; do
  [ -f "$root/$f" ] || fail "not in the package: $f"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
# The texts that name the version must name this one.
for page in man1 de/man1; do
  zcat "$root/usr/share/man/$page/quintara.1.gz" | grep -q "^\.TH QUINTARA 1 .* \"quintara $version\"" ||
    fail "the manual page $page names another version"
done
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/de.quintara.quintara.metainfo.xml" ||
  fail "the metainfo has no release $version"
zcat "$root/usr/share/doc/quintara/changelog.gz" | grep -q "^quintara ($version) " ||
  fail "the change log has no entry for $version"
if readelf -S "$root/usr/bin/quintara" | grep -q '\.comment'; then
  fail "the program keeps its .comment section"
fi

if command -v man >/dev/null; then
  for page in man1 de/man1; do
    warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
      man --warnings -E UTF-8 -l "$root/usr/share/man/$page/quintara.1.gz" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || fail "man $page: $warnings"
  done
else
  echo "man missing: the pages are not rendered"
fi

if command -v appstreamcli >/dev/null; then
  appstreamcli validate --pedantic --no-net \
    "$root/usr/share/metainfo/de.quintara.quintara.metainfo.xml" >"$out/appstream.log" 2>&1 ||
    fail "appstreamcli: $(cat "$out/appstream.log")"
  if grep -E '^[EWIP]:' "$out/appstream.log"; then fail "appstreamcli reports the lines above"; fi
else
  echo "appstreamcli missing: the metainfo is not validated"
fi

if command -v lintian >/dev/null; then
  # Information tags the README explains; any other tag is a finding.
  allowed='package-contains-documentation-outside-usr-share-doc [usr/share/quintara/quintara.html]
spelling-error-in-binary Programm Program [usr/bin/quintara]'
  if [ "$hardened" = 0 ]; then
    echo "not a hardened build: lintian's hardening tags are no findings here"
    allowed+='
hardening-no-bindnow [usr/bin/quintara]
hardening-no-bindnow [usr/lib/quintara/modules/quintara-ports.so]
hardening-no-fortify-functions [usr/bin/quintara]'
  fi
  lintian --pedantic --display-info --no-cfg "$deb" >"$out/lintian.log" 2>&1 || true
  sed -n '/^[EWIPX]: /p' "$out/lintian.log"
  while read -r line; do
    case "$line" in
      "I: quintara: "*) tag="${line#I: quintara: }" ;;
      *) fail "lintian: $line"; continue ;;
    esac
    if ! grep -qxF -- "$tag" <<<"$allowed"; then
      fail "lintian: $line"
    fi
  done < <(grep -E '^[EWIPX]: ' "$out/lintian.log" || true)
else
  echo "lintian missing: the package is not checked by it"
fi
exit $status
