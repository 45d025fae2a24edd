#!/usr/bin/env bash
# Proves that the Debian package installs and starts on a fresh Debian 12: makes a minimal bookworm
# root with debootstrap, installs the package there with apt (which must find every dependency by
# itself; recommended packages are left out so that Depends alone has to be enough), starts the
# installed program on a virtual X screen against a closed server port, dismisses the welcome message,
# takes a screenshot of the main window, then purges the package and checks that nothing is left.
#
#   sudo bash tools/check-deb.sh [suichuan-editor_*.deb]
#
# Without a package it builds one in build-deb/ (Release, no tests). Downloads a whole Debian root
# (about 150 MB from the mirror this machine's apt uses), so CI does not run it.
# Settings: CHECK_DEB_ROOT (default /tmp/suichuan-deb-check), CHECK_DEB_SHOTS (folder for the
# screenshots, default /tmp), KEEP_ROOT=1 keeps the Debian root for a look afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."

ROOT=${CHECK_DEB_ROOT:-/tmp/suichuan-deb-check}
SHOTS=${CHECK_DEB_SHOTS:-/tmp}
TESTER=deb-check        # an ordinary desktop user inside the root
APP_PID=""
XVFB_PID=""

fail() { echo "check-deb: FAILED: $*" >&2; exit 1; }
step() { echo "== $*"; }
in_root() { chroot "$ROOT" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
                DEBIAN_FRONTEND=noninteractive "$@"; }
mounted_below_root() { awk -v r="$ROOT/" 'index($2, r) == 1 { found = 1 } END { exit !found }' /proc/mounts; }

[ "$(id -u)" = 0 ] || fail "run as root (debootstrap, chroot and mount need it)"
for tool in debootstrap Xvfb xdotool import ss; do
    command -v "$tool" >/dev/null ||
        fail "$tool is missing: bash tools/install-deps.sh --tests"
done

# The Debian mirror this machine's apt already uses (the only one that may be reachable).
mirror() {
    local uri
    uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
              2>/dev/null | grep -v '^\s*#' |
          grep -oE '(https?|file)://[^ ]*/debian/?( |$)' | head -n1 | tr -d ' ') || true
    echo "${uri:-http://deb.debian.org/debian}"
}

cleanup() {
    set +e
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null && wait "$APP_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    for m in tmp/.X11-unix dev/pts dev sys proc; do
        mountpoint -q "$ROOT/$m" && { umount -R "$ROOT/$m" || umount -R -l "$ROOT/$m"; }
    done
    if mounted_below_root; then
        echo "check-deb: something is still mounted below $ROOT; left it in place" >&2
    elif [ "${KEEP_ROOT:-0}" != 1 ]; then
        rm -rf "$ROOT"
    fi
}

# 1. The package.
DEB=${1:-}
if [ -z "$DEB" ]; then
    step "building the package in build-deb/"
    cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DSUICHUAN_TESTS=OFF \
          -DSUICHUAN_BENCHMARKS=OFF >/dev/null
    cmake --build build-deb -j 2
    (cd build-deb && cpack -G DEB >/dev/null)
    DEB=$(ls -t build-deb/suichuan-editor_*.deb | head -n1)
fi
[ -f "$DEB" ] || fail "no package at $DEB"
echo "package: $DEB ($(stat -c %s "$DEB") bytes)"

# 2. A fresh Debian 12 root.
if [ -e "$ROOT" ]; then
    mounted_below_root && fail "$ROOT still has mounts from an earlier run: umount -R them first"
    rm -rf "$ROOT"
fi
trap cleanup EXIT
MIRROR=$(mirror)
step "debootstrap bookworm from $MIRROR into $ROOT"
debootstrap --variant=minbase bookworm "$ROOT" "$MIRROR" >"$SHOTS/suichuan-deb-check-debootstrap.log" 2>&1 ||
    fail "debootstrap (see $SHOTS/suichuan-deb-check-debootstrap.log)"
mount -t proc proc "$ROOT/proc"
mount --rbind /sys "$ROOT/sys" && mount --make-rslave "$ROOT/sys"
mount --bind /dev "$ROOT/dev"
mount --bind /dev/pts "$ROOT/dev/pts"
cp /etc/resolv.conf "$ROOT/etc/resolv.conf"

# 3. Install: apt must pull every dependency itself.
step "apt-get install ./$(basename "$DEB") --no-install-recommends"
cp "$DEB" "$ROOT/tmp/"
in_root apt-get update -q >/dev/null
in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$DEB")" |
    grep -E 'newly installed|^Need to get|^After this' || fail "apt-get install"

# 4. What landed where.
step "installed files"
version=$(in_root suichuan-editor --version) || fail "--version"
echo "--version: $version"
[[ "$version" == "燧川脚本编辑器 V"* ]] || fail "unexpected --version output"
[ -f "$ROOT/usr/share/applications/suichuan-editor.desktop" ] || fail "no desktop entry"
grep -qx 'Exec=suichuan-editor %f' "$ROOT/usr/share/applications/suichuan-editor.desktop" ||
    fail "desktop entry does not start suichuan-editor"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$ROOT/usr/share/applications/suichuan-editor.desktop" || fail "desktop entry is not valid"
fi
icons=$(cd "$ROOT" && ls usr/share/icons/hicolor/*/apps/suichuan-editor.png 2>/dev/null | wc -l)
[ "$icons" -gt 0 ] || fail "no icons in /usr/share/icons/hicolor/*/apps"
echo "desktop entry and $icons icon sizes in place"
in_root useradd -m "$TESTER"

# 5. Start it as a desktop user on a virtual screen of this machine, seen through the X socket.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
port=1
while [ -n "$(ss -Htln "sport = :$port")" ]; do port=$((port + 1)); done
step "starting the program on :$display with --server http://127.0.0.1:$port (closed)"
Xvfb ":$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
for _ in $(seq 50); do [ -S "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
mkdir -p "$ROOT/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$ROOT/tmp/.X11-unix"
APP_LOG="$SHOTS/suichuan-deb-check-program.log"
chroot --userspec="$TESTER:$TESTER" "$ROOT" env -i PATH=/usr/bin:/bin HOME="/home/$TESTER" \
    USER="$TESTER" LANG=C.UTF-8 DISPLAY=":$display" \
    suichuan-editor --server "http://127.0.0.1:$port" >"$APP_LOG" 2>&1 &
APP_PID=$!
export DISPLAY=":$display"
timeout 30 xdotool search --sync --onlyvisible --name '^信息：$' >/dev/null ||
    fail "no welcome message within 30 s (program output: $APP_LOG)"
sleep 1
import -window root "$SHOTS/suichuan-deb-check-welcome.png"
xdotool key Return
timeout 30 xdotool search --sync --onlyvisible --name '^燧川脚本编辑器 V' >/dev/null ||
    fail "no main window within 30 s (program output: $APP_LOG)"
sleep 2     # the failed version check must not bring up a message
import -window root "$SHOTS/suichuan-deb-check-main.png"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended by itself (output: $APP_LOG)"
if xdotool search --onlyvisible --name '^信息：$' >/dev/null; then
    fail "a message box is open over the main window (see $SHOTS/suichuan-deb-check-main.png)"
fi
echo "screenshots: $SHOTS/suichuan-deb-check-welcome.png $SHOTS/suichuan-deb-check-main.png"
kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; APP_PID=""

# 6. Purge leaves nothing of ours behind.
step "apt-get purge suichuan-editor"
in_root apt-get purge -y -q suichuan-editor >/dev/null || fail "apt-get purge"
left=$(cd "$ROOT" && ls -d usr/bin/suichuan-editor usr/bin/.suichuan-skin13.qss \
           usr/share/applications/suichuan-editor.desktop usr/share/icons/hicolor/*/apps/suichuan-editor.png \
           2>/dev/null || true)
[ -z "$left" ] || fail "left after purge: $left"
in_root dpkg-query -W suichuan-editor >/dev/null 2>&1 && fail "dpkg still knows the package"
echo "check-deb: PASSED"
