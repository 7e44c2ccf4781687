#!/bin/sh
# Run by tools/package inside the throwaway Debian 12 root (chroot): installs the package
# given as $1 with its declared dependencies only, tries it as a user would, removes it, and
# checks that nothing of it is left.
set -eu
deb=$1
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 HOME=/tmp/home
mkdir -p "$HOME"

# Every path of the root but the package manager's own records, caches and logs.
snapshot() {
    find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /tmp -o -path /run \
        -o -path /var/cache -o -path /var/lib/apt -o -path /var/lib/dpkg -o -path /var/log \) \
        -prune -o -print | sort > "$1"
}

snapshot /tmp/before
echo "== apt-get install --no-install-recommends $deb"
apt-get install -y -q --no-install-recommends "$deb"
dpkg -L quillon > /tmp/files
snapshot /tmp/installed

echo "== quillon-cli --list"
quillon-cli --list | tee /tmp/list
grep -qx frmTurret /tmp/list

echo "== the turret window finds the installed sample table (/usr/share/quillon)"
quillon-cli frmTurret > /tmp/turret.json
sed -n '/"Machine": \[/,/\]/p' /tmp/turret.json | head -n 4
sed -n '/"Machine": \[/,/\]/p' /tmp/turret.json | sed -n 2p | grep -q '"' || {
    echo "the machine list is empty"; exit 1; }

echo "== quillon under Xvfb shows its launcher and every window"
# Quillon prints one line "idle: ..." once its windows are on the screen, then ends.
if ! QT_QPA_PLATFORM=xcb QUILLON_EXIT_WHEN_IDLE=1 QUILLON_OPEN_ALL=1 \
    timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" quillon 2> /tmp/quillon.err; then
    cat /tmp/quillon.err
    echo "quillon failed"
    exit 1
fi
cat /tmp/quillon.err
grep -q '^idle: ' /tmp/quillon.err

echo "== apt-get remove quillon"
apt-get remove -y -q quillon
if dpkg-query -W -f='${db:Status-Abbrev}' quillon 2>/dev/null | grep -q '^[ir]'; then
    echo "quillon is still known to dpkg"
    exit 1
fi
snapshot /tmp/after
left=0
# No file of the package is left, and nothing appeared that was not there with the package's
# dependencies alone.
while read -r f; do
    if [ -e "$f" ] && [ ! -d "$f" ]; then echo "left behind: $f"; left=1; fi
done < /tmp/files
comm -13 /tmp/before /tmp/after > /tmp/new
# What remains new came with the dependencies (present while installed, and not the package's).
comm -23 /tmp/new /tmp/installed > /tmp/unexplained || true
if [ -s /tmp/unexplained ]; then echo "new after removal:"; cat /tmp/unexplained; left=1; fi
grep -i quillon /tmp/new | while read -r f; do echo "left behind: $f"; done | grep . && left=1
[ "$left" -eq 0 ]
echo "== nothing of the package is left"
