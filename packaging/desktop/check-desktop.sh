#!/bin/sh
# Checks the desktop entries with desktop-file-validate (an error or a
# warning fails; its hints are shown) and that every icon parses as XML, an
# <svg> element with the 48x48 view box.
# Usage: check-desktop.sh ENTRY.desktop... ICON.svg...
# Exit 77 (skipped) after the icons when desktop-file-utils is missing.
failed=0
entries=
for file in "$@"; do
    case "$file" in
        *.svg)
            if python3 - "$file" <<'PY'; then
import sys, xml.dom.minidom, xml.parsers.expat
try:
    root = xml.dom.minidom.parse(sys.argv[1]).documentElement
except xml.parsers.expat.ExpatError as error:
    sys.exit(f"{sys.argv[1]}: not well-formed XML: {error}")
if root.tagName != "svg" or root.getAttribute("viewBox") != "0 0 48 48":
    sys.exit(f"{sys.argv[1]}: not an <svg> with viewBox=\"0 0 48 48\"")
PY
                echo "$file: well-formed SVG, 48x48 view box"
            else
                failed=1
            fi
            ;;
        *) entries="$entries $file" ;;
    esac
done
if ! command -v desktop-file-validate >/dev/null 2>&1; then
    echo "desktop-file-validate is not installed (apt-get install desktop-file-utils): entries not checked"
    [ "$failed" -eq 0 ] && exit 77
    exit 1
fi
for entry in $entries; do
    said=$(desktop-file-validate "$entry" 2>&1)
    status=$?
    [ -n "$said" ] && echo "$said"
    if [ "$status" -ne 0 ] || printf '%s\n' "$said" | grep -q ': \(error\|warning\): '; then
        echo "$entry: refused"
        failed=1
    else
        echo "$entry: valid"
    fi
done
exit $failed
