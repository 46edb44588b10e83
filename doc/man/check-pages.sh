#!/bin/sh
# Renders each manual page given with groff's warnings on (man --warnings)
# and fails on any line the rendering writes to standard error. Exit 77
# (skipped) when man is not installed.
if ! command -v man >/dev/null 2>&1; then
    echo "man is not installed (apt-get install man-db groff): manual pages not checked"
    exit 77
fi
failed=0
for page in "$@"; do
    problems=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    if [ -n "$problems" ]; then
        echo "$page:"
        echo "$problems"
        failed=1
    else
        echo "$page: renders without warnings"
    fi
done
exit $failed
