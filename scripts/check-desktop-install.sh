#!/bin/sh
# Installs a build into a scratch prefix and checks that the desktop finds Lexiquill there:
# the files in their freedesktop places, the help page where the program looks for it, and,
# when desktop-file-utils and appstream are installed, the entry and metainfo validated.
# Usage: check-desktop-install.sh BUILD_DIR APP_ID BINDIR DATADIR HELPDIR
set -eu
build=$1 app=$2 bindir=$3 datadir=$4 helpdir=$5
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
expect() {
    if [ ! -e "$prefix/$1" ]; then
        echo "missing after install: $1"
        failed=1
    fi
}
expect "$bindir/lexiquill-desktop"
expect "$datadir/applications/$app.desktop"
expect "$datadir/metainfo/$app.metainfo.xml"
expect "$datadir/icons/hicolor/scalable/apps/$app.svg"
expect "$helpdir/index.htm"
if [ -e "$build/lexiquill" ]; then
    expect "$bindir/lexiquill"
fi

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/$datadir/applications/$app.desktop" || failed=1
else
    echo "desktop-file-validate not installed: desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/$datadir/metainfo/$app.metainfo.xml" || failed=1
else
    echo "appstreamcli not installed: metainfo not validated"
fi
exit $failed
