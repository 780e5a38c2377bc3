#!/bin/sh
# Makes the Debian packages of this build with cpack and has lintian check them: not one
# error or warning may remain. Exits 77 (skipped) when lintian or a tool of the packaging
# is missing. Usage: lint-packages.sh CPACK CPACK_CONFIG WORK_DIR
set -eu
cpack=$1
config=$2
work=$3

for tool in lintian dpkg-deb dpkg-shlibdeps file readelf gzip; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (scripts/setup.sh installs it), so the packages are not checked"
        exit 77
    fi
done

rm -rf "$work"
mkdir -p "$work"
if ! "$cpack" --config "$config" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
ls "$work"/*.deb
lintian --fail-on error,warning "$work"/*.deb
