#!/bin/sh
# vantrell-render under address-space limits from where the loader gives up to where
# the export succeeds: every run that fails says why on standard error.
renderer=$1
folder=$(mktemp -d) || exit 1
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
silent=0
kb=66000
while [ $kb -le 90000 ]; do
    status=0
    (ulimit -v $kb && exec "$renderer" star.bmp) 2> why.txt || status=$?
    if [ $status -ne 0 ] && [ ! -s why.txt ]; then
        echo "limit $kb KiB: status $status and no message"
        silent=$((silent + 1))
    fi
    kb=$((kb + 200))
done
[ $silent -eq 0 ]
