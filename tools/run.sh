#!/usr/bin/env bash
# Installs what is missing, builds the editor, starts the local update server on 127.0.0.1:8631
# (the address the editor checks by default) and starts the editor. Arguments go to the editor,
# e.g. a script to open.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target suichuan-editor
bash tools/update-server.sh start

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/suichuan-editor "$@"
fi
# No desktop here (a server, a container): run on a virtual screen so that the program still starts.
echo "No display found: running the editor on a virtual X screen (xvfb-run)." >&2
exec xvfb-run -a -s "-screen 0 1280x900x24" build/app/suichuan-editor "$@"
