#!/bin/sh
# Installs the build into a scratch folder as cmake --install does, checks that every
# file is in place, runs the desktop validators over the entry and the metadata, and
# checks that each manual page names every option its program's --help lists.
# Exit status 77 (skipped) where the validators are missing.
set -eu
build=$1
id=org.vantrell.Vantrell
for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is missing (scripts/install-deps installs it)"
        exit 77
    fi
done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cmake --install "$build" --prefix "$root/usr" >/dev/null
for file in bin/vantrell bin/vantrell-render share/applications/$id.desktop \
    share/icons/hicolor/scalable/apps/$id.svg share/metainfo/$id.metainfo.xml \
    share/mime/packages/$id.xml share/man/man1/vantrell.1.gz share/man/man1/vantrell-render.1.gz \
    share/doc/vantrell/copyright share/doc/vantrell/changelog.gz; do
    [ -f "$root/usr/$file" ] || { echo "not installed: $file"; exit 1; }
done
desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$id.metainfo.xml"
for program in vantrell vantrell-render; do
    for option in $("$root/usr/bin/$program" --help | grep -o -- '--[a-z-]*' | sort -u); do
        roff=$(printf '%s' "$option" | sed 's/-/\\-/g')
        gzip -dc "$root/usr/share/man/man1/$program.1.gz" | grep -qF -- "$roff" ||
            { echo "$program.1 does not mention $option"; exit 1; }
    done
done
echo "installed files in place and valid"
