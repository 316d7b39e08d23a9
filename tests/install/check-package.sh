#!/bin/sh
# Builds the Debian package of a build with CPack and checks its control fields and
# its file list with dpkg-deb. Exit status 77 (skipped) without the Debian tools.
set -eu
build=$1
version=$2
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is missing (scripts/install-deps installs it)"
        exit 77
    fi
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/vantrell_"$version"_*.deb)
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vantrell ] || { echo "Package: $(field Package)"; exit 1; }
[ "$(field Version)" = "$version" ] || { echo "Version: $(field Version)"; exit 1; }
for dependency in libqt6widgets6 libqt6gui6 libjpeg62-turbo libpng16-16; do
    field Depends | grep -q "$dependency" || { echo "Depends lacks $dependency: $(field Depends)"; exit 1; }
done
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/vantrell ./usr/bin/vantrell-render \
    ./usr/share/applications/org.vantrell.Vantrell.desktop \
    ./usr/share/icons/hicolor/scalable/apps/org.vantrell.Vantrell.svg \
    ./usr/share/metainfo/org.vantrell.Vantrell.metainfo.xml ./usr/share/man/man1/vantrell.1.gz \
    ./usr/share/doc/vantrell/copyright ./usr/share/doc/vantrell/changelog.gz; do
    echo "$files" | grep -qx -- "$file" || { echo "not in the package: $file"; exit 1; }
done
if field Description | grep -q '^ *;\|;$'; then
    echo "the description carries a list's semicolons:"; field Description; exit 1
fi
# As a distribution would check it: no error and no warning (information is fine;
# a sanitizer build is not built with the release flags).
if command -v lintian >/dev/null 2>&1; then
    report=$(lintian --pedantic --tag-display-limit 0 "$deb" 2>/dev/null | grep -E '^[EW]: ' || true)
    [ -z "$report" ] || { echo "lintian:"; echo "$report"; exit 1; }
else
    echo "lintian is missing: the package was not checked by it"
fi
echo "$(basename "$deb"): fields and files as expected"
