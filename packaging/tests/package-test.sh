#!/usr/bin/env bash
# The packages as a shop's technician meets them: built from this build,
# installed into a fresh root (dpkg --root, maintainer scripts run without
# chroot against that root), then, from the installed files only:
#   - vtx --help, InstallVtx --unattended with an answers file of the
#     package's examples, LinkAgent's settings check;
#   - vtx-hostsim and a `vtx eleg` against it;
#   - the client started offscreen, pictured and closed;
#   - LinkAgent under the service's restrictions (no systemd here to run the
#     unit: the same restrictions by hand, see below) listening, logging,
#     installing its logon tables and answering the folder interface;
#   - an upgrade to a rebuilt higher version that leaves the station's
#     configuration as it was; remove keeps the station, purge deletes it.
# The installed programs run on this machine's libraries: the fresh root
# holds only the packages under test (dpkg --force-depends).
#
#   package-test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$(cd "$1" && pwd) src=$(cd "$2" && pwd) version=$3
started=$SECONDS
# Not below /tmp or /var/tmp (the service's private /tmp would hide it), nor
# below a folder the station's user may not pass (the build may be in a
# home folder): a folder of its own, removed when the test passes.
work=$(mktemp -d /var/lib/vantorix-package-test.XXXXXX)
chmod 755 "$work"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
step() { echo "== $* ($((SECONDS - started)) s)"; }
fail() { echo "package test: FAILED: $*" >&2; exit 1; }
wait_for() {  # wait_for SECONDS COMMAND...: until COMMAND succeeds
  local end=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do [ $SECONDS -ge $end ] && return 1; sleep 0.2; done
}
free_port() {
  local p=$1
  while (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; do p=$((p + 1)); done
  echo "$p"
}
arch=$(dpkg --print-architecture)

step "1. the packages of version $version"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/pkg" > "$work/cpack.log" 2>&1 ||
  fail "cpack (see $work/cpack.log)"
station_deb="$work/pkg/vantorix_${version}_${arch}.deb"
peers_deb="$work/pkg/vantorix-testpeers_${version}_${arch}.deb"
[ -f "$station_deb" ] && [ -f "$peers_deb" ] || fail "no packages in $work/pkg"
depends=$(dpkg-deb -f "$station_deb" Depends)
for lib in libqt6widgets6 libcurl4 libssl3 adduser; do
  [[ "$depends" == *"$lib"* ]] || fail "vantorix does not depend on $lib: $depends"
done
echo "   Depends: $depends"
if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$station_deb" "$peers_deb" > "$work/lintian.log" 2>&1 || true
  ! grep -q '^E:' "$work/lintian.log" || fail "lintian errors: $(grep '^E:' "$work/lintian.log")"
  echo "   lintian: $(grep -c '^[WE]:' "$work/lintian.log" || true) warning(s), no error"
fi

step "2. installed into a fresh root"
R="$work/root"
mkdir -p "$R/var/lib/dpkg/info" "$R/var/lib/dpkg/updates" "$R/etc" "$R/var/log"
: > "$R/var/lib/dpkg/status"
: > "$R/var/lib/dpkg/available"
echo 'root:x:0:0:root:/root:/bin/sh' > "$R/etc/passwd"
echo 'root:x:0:' > "$R/etc/group"
echo 'root:*:19000:0:99999:7:::' > "$R/etc/shadow"
echo 'root:*::' > "$R/etc/gshadow"
chmod 640 "$R/etc/shadow" "$R/etc/gshadow"
cp /etc/login.defs "$R/etc/login.defs"
dpkg_root() { dpkg --root="$R" --force-script-chrootless --force-depends --log=/dev/null "$@"; }
dpkg_root -i "$station_deb" "$peers_deb" > "$work/dpkg-install.log" 2>&1 ||
  fail "dpkg -i (see $work/dpkg-install.log)"
uid=$(awk -F: '$1 == "vantorix" { print $3 }' "$R/etc/passwd")
gid=$(awk -F: '$1 == "vantorix" { print $4 }' "$R/etc/passwd")
[ -n "$uid" ] || fail "postinst made no user vantorix"
station="$R/var/lib/vantorix"
[ "$(stat -c '%u %a' "$station")" = "$uid 2770" ] || fail "station root: $(stat -c '%U %a' "$station")"
echo "   user vantorix ($uid); station root $station"

export VTX_ROOT="$station"
unset VTX_WINDIR DISPLAY WAYLAND_DISPLAY
bin="$R/usr/bin"

step "3. from the installed files"
"$bin/vtx" --help > "$work/vtx-help.out" 2>&1 || true
grep -q "vtx send" "$work/vtx-help.out" || fail "vtx --help: $(head -3 "$work/vtx-help.out")"
host_port=$(free_port 5300)
agent_port=$(free_port $((host_port + 1)))
# A till that is its own server on the local link, its host vtx-hostsim.
sed -e 's/^TIPO=.*/TIPO=2/' -e "s/^PORTA=.*/PORTA=$host_port/" \
  "$R/usr/share/doc/vantorix/examples/servidor-estacao.ini" > "$work/answers.ini"
"$bin/InstallVtx" --unattended "$work/answers.ini" > "$work/install.out" 2>&1 ||
  fail "InstallVtx --unattended: $(cat "$work/install.out")"
inst="$station/C/Vantrix"
[ -L "$inst/LinkAgent" ] || fail "the station's LinkAgent is no link to the package's"
[ "$(readlink -f "$inst/LinkAgent")" = "$(readlink -f "$R/usr/lib/vantorix/LinkAgent")" ] ||
  fail "the station's LinkAgent links to $(readlink -f "$inst/LinkAgent")"
[ "$(stat -c %u "$inst/CORE.INI")" = "$uid" ] || fail "CORE.INI is not the station user's"
echo "   InstallVtx: $(grep -c '^gravado\|^ligado' "$work/install.out") files in place"
ini() { "$bin/vtx" ini set "$@" || fail "vtx ini set $*"; }
ini 'C:\Vantrix\CORE.INI' 'TCPIP PORTS' port2Listen "$agent_port"
ini 'C:\Vantrix\CORE.INI' 'TCPIP PORTS' ListenAddress 127.0.0.1
ini 'C:\Vantrix\CORE.INI' 'TCPIP PORTS' Socket N
ini 'C:\Vantrix\CORE.INI' ShellFile LOGENABLE true
ini 'C:\Vantrix\CORE.INI' ShellFile Pause_Next_File 0
printf '%-20s%-8s%s%-20s%-25s%-25s%-2s\r\n' "Rede Demo" "DEMO0001" "N0110" "CPF" "" "" "00" \
  > "$inst/VXTb_Opr.txt"
chown -R "$uid:$gid" "$station"
if "$bin/LinkAgent" --help 2>/dev/null | grep -q -- --check; then
  "$bin/LinkAgent" --check > "$work/check.out" 2>&1 || fail "LinkAgent --check: $(cat "$work/check.out")"
  echo "   LinkAgent --check: passed"
fi

mkdir -p "$work/host"
printf '[host]\nPort=%s\nFraming=plain\nOperator=DEMO0001\nAdministrator=DEMO0001\n' "$host_port" \
  > "$work/host/hostsim.ini"
"$bin/vtx-hostsim" --config "$work/host/hostsim.ini" --log "$work/host/received.log" \
  --data "$R/usr/share/vantorix-testpeers/data" > "$work/host/stdout" 2>&1 &
pids+=($!)
wait_for 30 grep -q READY "$work/host/stdout" || fail "vtx-hostsim: $(cat "$work/host/stdout")"
"$bin/vtx" eleg --card 6012000000000001 > "$work/eleg.out" 2>&1 || fail "vtx eleg: $(cat "$work/eleg.out")"
echo "   vtx eleg against vtx-hostsim: $(grep -m1 -i 'nsu\|result' "$work/eleg.out" || head -1 "$work/eleg.out")"

# SIGUSR1 asks for a picture. The client starts with it ignored (set before
# the fork) until it takes it over, so an early one does not end it.
trap '' USR1
QT_QPA_PLATFORM=offscreen "$bin/VtxClient" --screenshot "$work/shots" > "$work/client.out" 2>&1 &
client=$!
trap - USR1
pids+=($client)
pictured() { kill -USR1 "$client" 2>/dev/null; ls "$work/shots"/*.png >/dev/null 2>&1; }
wait_for 60 pictured || fail "the client drew no window ($(cat "$work/client.out"))"
kill -TERM "$client"
wait_for 30 sh -c "! kill -0 $client" || fail "the client did not close on SIGTERM"
echo "   VtxClient offscreen: $(ls "$work/shots" | head -1), closed"

step "4. LinkAgent under the service's restrictions"
# No systemd runs here (the machine's first process is not systemd), so the
# unit is checked with systemd-analyze and its restrictions are applied by
# hand: the whole system read-only but the station root (ProtectSystem=strict,
# ReadWritePaths=), a private /tmp (PrivateTmp=), no new privileges
# (NoNewPrivileges=), the station's user (User=, Group=), the unit's umask.
unit="$R/lib/systemd/system/vantorix-linkagent.service"
if command -v systemd-analyze >/dev/null; then
  sed "s|/usr/lib/vantorix/LinkAgent|$R/usr/lib/vantorix/LinkAgent|" "$unit" > "$work/vantorix-linkagent.service"
  # The manual pages are checked where they are built, not through man here.
  systemd-analyze verify --man=no "$work/vantorix-linkagent.service" > "$work/verify.out" 2>&1 ||
    fail "systemd-analyze verify: $(cat "$work/verify.out")"
  echo "   systemd-analyze verify: clean"
fi
if unshare --mount true 2>/dev/null; then
  unshare --mount sh -c '
    set -e
    mount --make-rprivate /
    mount --bind "$1" "$1"
    mount -o remount,bind,ro /
    mount -t tmpfs -o mode=1777 tmpfs /tmp
    cd "$1"
    exec setpriv --reuid="$2" --regid="$3" --clear-groups --no-new-privs sh -c "umask 0007; exec \"\$0\"" "$4"
  ' sh "$station" "$uid" "$gid" "$R/usr/lib/vantorix/LinkAgent" > "$work/agent.out" 2>&1 &
  agent=$!
  pids+=($agent)
  wait_for 60 grep -q '^READY' "$work/agent.out" || fail "LinkAgent did not start: $(cat "$work/agent.out")"
  tables() { ls "$inst" | grep -cE '^(UP|LT|MF)'; }
  wait_for 60 sh -c "ls '$inst' | grep -qE '^(UP|LT|MF)'" || fail "no logon tables: $(cat "$work/agent.out")"
  printf '040-000=Rede Demo\r\n000-000=0200\r\n011-000=003000\r\n999-999\r\n' > "$work/request.txt"
  setpriv --reuid="$uid" --regid="$gid" --clear-groups "$bin/vtx" request --timeout 60 "$work/request.txt" \
    > "$work/request.out" 2>&1 || fail "the folder interface: $(cat "$work/request.out")"
  grep -q '^000-000 = ' "$work/request.out" || fail "the folder interface's answer: $(cat "$work/request.out")"
  ls "$inst/LOG" | grep -q . || fail "LinkAgent wrote no log"
  # The client's logon hand-over (LA.bat: LinkAgent LOGIN) beside the service.
  setpriv --reuid="$uid" --regid="$gid" --clear-groups "$bin/LinkAgent" LOGIN > "$work/login.out" 2>&1 ||
    fail "LinkAgent LOGIN beside the service: $(cat "$work/login.out")"
  kill -TERM "$agent"
  wait "$agent" || fail "LinkAgent under the restrictions ended with status $?"
  echo "   listening, $(tables) logon tables, a log in LOG/, the host's answer through the folders, LOGIN handed over"
else
  echo "   (no mount namespace here: the restrictions are not tried)"
fi

step "5. upgrade, remove, purge"
kill -TERM "${pids[0]}" 2>/dev/null || true
IFS=. read -r major minor patch <<< "$version"
higher="$major.$minor.$((patch + 1))"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/pkg2" -D CPACK_PACKAGE_VERSION="$higher" \
  > "$work/cpack2.log" 2>&1 || fail "cpack of $higher (see $work/cpack2.log)"
snapshot() { (cd "$station" && find . -type f -o -type l | sort | xargs -d '\n' sha256sum) ; }
before=$(snapshot)
dpkg_root -i "$work/pkg2/vantorix_${higher}_${arch}.deb" "$work/pkg2/vantorix-testpeers_${higher}_${arch}.deb" \
  > "$work/dpkg-upgrade.log" 2>&1 || fail "the upgrade (see $work/dpkg-upgrade.log)"
[ "$(dpkg-query --admindir="$R/var/lib/dpkg" -W -f '${Version}' vantorix)" = "$higher" ] ||
  fail "vantorix is not at $higher after the upgrade"
[ "$(snapshot)" = "$before" ] || fail "the upgrade changed the station: $(diff <(echo "$before") <(snapshot))"
echo "   upgraded to $higher; the station's $(echo "$before" | wc -l) files unchanged"
dpkg_root -r vantorix-testpeers vantorix > "$work/dpkg-remove.log" 2>&1 || fail "remove"
[ -f "$inst/CORE.INI" ] || fail "remove deleted the station's configuration"
dpkg_root --purge vantorix-testpeers vantorix > "$work/dpkg-purge.log" 2>&1 || fail "purge"
[ ! -e "$station" ] || fail "purge left the station root"
! grep -q '^vantorix:' "$R/etc/passwd" || fail "purge left the user vantorix"
echo "   remove kept the station; purge deleted it and the user"

cleanup
rm -rf "$work"
echo "package test: passed in $((SECONDS - started)) s"
