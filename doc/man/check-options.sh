#!/bin/sh
# Each program given as NAME=PATH answers --version with "NAME VERSION" and
# --help with a usage naming it on standard output, both with status 0 and
# without a display. Usage: check-options.sh VERSION NAME=PATH...
version=$1
shift
failed=0
# Runs the program without a display; its standard output.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" 2>/dev/null
}
for entry in "$@"; do
    name=${entry%%=*}
    program=${entry#*=}
    said=$(run "$program" --version)
    status=$?
    if [ "$status" -ne 0 ] || [ "$said" != "$name $version" ]; then
        echo "$name --version: status $status, said \"$said\", wanted \"$name $version\""
        failed=1
    fi
    usage=$(run "$program" --help)
    status=$?
    if [ "$status" -ne 0 ] || ! printf '%s\n' "$usage" | grep -q "usage:.*$name\|^  *$name "; then
        echo "$name --help: status $status, no usage naming $name on standard output"
        failed=1
    fi
done
[ "$failed" -eq 0 ] && echo "every program answered --version ($version) and --help"
exit $failed
