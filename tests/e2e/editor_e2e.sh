#!/usr/bin/env bash
# Drives the real editor under Xvfb as a user would: pointer clicks at the controls' places, keys in the
# dialogs, and the saved script compared byte for byte. Without a window manager the windows have no
# frame, so a window's origin is its client area's (below the main window's menu bar).
# Usage: editor_e2e.sh PATH-TO-suichuan-editor
set -uo pipefail

editor=${1:?usage: editor_e2e.sh PATH-TO-suichuan-editor}
for tool in Xvfb xdotool iconv; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (tools/install-deps.sh installs it)"
    exit 77
  fi
done
export LC_ALL=C.UTF-8

work=$(mktemp -d)
xvfb_pid=""
editor_pid=""
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }
step() { echo "-- $*"; }

# A display number of its own: Xvfb picks a free one and reports it.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"

# A loopback port where nothing listens: the version check fails at once and shows no dialogue.
port=""
for candidate in $(seq 47100 47200); do
  if ! (exec 4<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then port=$candidate; break; fi
done
[ -n "$port" ] || fail "no closed port found on 127.0.0.1"

# The program works in its own folder (and leaves its skin file there): run a copy in a folder of our own.
mkdir -p "$work/program" "$work/home" "$work/scripts"
cp "$editor" "$work/program/suichuan-editor"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home"
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR

# The visible window whose title matches the regular expression $1 (waits up to 20 s).
window_named() {
  timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n1
}
# Waits until no visible window's title matches $1.
wait_gone() {
  for _ in $(seq 200); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "window '$1' did not close"
}
# Left click at x,y of window $1's area.
click_at() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
keys_to() { xdotool windowfocus "$1"; xdotool key --clearmodifiers "${@:2}"; }
type_to() { xdotool windowfocus "$1"; xdotool type --clearmodifiers --delay 5 "$2"; }
wait_file() {
  for _ in $(seq 100); do [ -f "$1" ] && return 0; sleep 0.1; done
  fail "$1 was not written"
}
# The file's bytes against the expected text (UTF-8 here, GBK on disk).
same_bytes() {
  printf '%b' "$2" | iconv -f UTF-8 -t GBK >"$work/expected"
  cmp "$1" "$work/expected" >/dev/null || {
    echo "expected:"; od -c "$work/expected" | head -20
    echo "written:"; od -c "$1" | head -20
    fail "$1 does not hold the expected bytes"
  }
}
# Saves the script through 标签6 and the real save dialog, under $2.
save_as() {
  local main=$1 path=$2
  click_at "$main" 56 $((menu_height + 74)) # 标签6 at 0,57 112x34
  local dialog
  dialog=$(window_named '另存为|Save')
  [ -n "$dialog" ] || fail "the save dialog did not open"
  keys_to "$dialog" ctrl+a
  type_to "$dialog" "$path"
  keys_to "$dialog" Return
  wait_file "$path"
}

"$work/program/suichuan-editor" --server "http://127.0.0.1:$port" >"$work/editor.log" 2>&1 &
editor_pid=$!

step "the welcome message, then the main window"
welcome=$(window_named '^信息：$')
[ -n "$welcome" ] || fail "no welcome message; log: $(cat "$work/editor.log")"
keys_to "$welcome" Return
main=$(window_named '^燧川脚本编辑器 V1.5版')
[ -n "$main" ] || fail "the main window did not open"
eval "$(xdotool getwindowgeometry --shell "$main")"
menu_height=$((HEIGHT - 672)) # the client area is 612x672 below the menu bar
[ "$WIDTH" -eq 612 ] && [ "$menu_height" -gt 0 ] || fail "main window is ${WIDTH}x${HEIGHT}"

step "keyword button #if, then save"
click_at "$main" $((108 + 40)) $((menu_height + 516 + 16)) # 按钮8 at 108,516 80x32
save_as "$main" "$work/scripts/keyword.txt"
same_bytes "$work/scripts/keyword.txt" '\r\n#if'

step "a category window from 标签9: its buttons, closed again, then save"
click_at "$main" $((8 + 52)) $((menu_height + 168 + 17)) # 标签9 at 8,168 104x34
category=$(window_named '^执行脚本命令代码$')
[ -n "$category" ] || fail "the category window did not open"
click_at "$category" $((272 + 36)) $((104 + 16)) # 按钮14 at 272,104: four snippets
click_at "$category" $((95 + 36)) $((16 + 16))   # 按钮2 at 95,16
keys_to "$category" Escape
wait_gone '^执行脚本命令代码$'
save_as "$main" "$work/scripts/category.txt"
same_bytes "$work/scripts/category.txt" \
  '\r\n#ifparam1 地图\r\nparam2 x坐标\r\nparam3 y坐标\r\nmongen  怪物名称 数量 时间\r\ngive 物品名字 数量\r\n'

step "文件 / 退出 ends the program with code 0"
click_at "$main" 20 $((menu_height / 2)) # the menu 文件, first in the menu bar
keys_to "$main" Down Down Down Return     # 打开, 保存, 退出
for _ in $(seq 100); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$editor_pid" 2>/dev/null && fail "the program did not end"
wait "$editor_pid"
code=$?
editor_pid=""
[ "$code" -eq 0 ] || fail "the program ended with code $code; log: $(cat "$work/editor.log")"
echo "PASS"
