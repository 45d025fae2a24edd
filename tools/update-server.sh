#!/usr/bin/env bash
# A local update server for trying the editor: nginx on 127.0.0.1 serving tools/update-server
# (the version text vxmr/gx.txt and the notice text vxmr/up.txt).
#   bash tools/update-server.sh start [port]   # default port 8631, the editor's compiled-in default
#   bash tools/update-server.sh stop [port]
set -euo pipefail

action=${1:-}
port=${2:-8631}
root="$(cd "$(dirname "$0")" && pwd)/update-server"
runtime="${XDG_RUNTIME_DIR:-/tmp}/suichuan-update-server-$port"

case "$port" in
  ''|*[!0-9]*) echo "port must be a number: $port" >&2; exit 2 ;;
esac

nginx_bin=$(command -v nginx || true)
[ -n "$nginx_bin" ] || [ ! -x /usr/sbin/nginx ] || nginx_bin=/usr/sbin/nginx

start() {
  if [ -z "$nginx_bin" ]; then
    echo "nginx is not installed (bash tools/install-deps.sh installs it)" >&2
    exit 1
  fi
  if [ -f "$runtime/nginx.pid" ] && kill -0 "$(cat "$runtime/nginx.pid")" 2>/dev/null; then
    echo "update server already running on http://127.0.0.1:$port"
    return
  fi
  mkdir -p "$runtime"
  local user_line=""
  # nginx started as root drops to "nobody" for its workers unless told otherwise; the served folder
  # may not be readable for that user.
  [ "$(id -u)" -ne 0 ] || user_line="user root;"
  cat > "$runtime/nginx.conf" <<CONF
$user_line
worker_processes 1;
pid $runtime/nginx.pid;
error_log $runtime/error.log warn;
events { worker_connections 64; }
http {
    access_log off;
    client_body_temp_path $runtime/body;
    proxy_temp_path $runtime/proxy;
    fastcgi_temp_path $runtime/fastcgi;
    uwsgi_temp_path $runtime/uwsgi;
    scgi_temp_path $runtime/scgi;
    types { text/plain txt; application/octet-stream exe; }
    default_type application/octet-stream;
    server {
        listen 127.0.0.1:$port;
        root "$root";
    }
}
CONF
  "$nginx_bin" -p "$runtime" -c "$runtime/nginx.conf"
  echo "update server running on http://127.0.0.1:$port (serving $root)"
}

stop() {
  if [ -f "$runtime/nginx.pid" ] && kill -0 "$(cat "$runtime/nginx.pid")" 2>/dev/null; then
    "$nginx_bin" -p "$runtime" -c "$runtime/nginx.conf" -s quit
    echo "update server on port $port stopped"
  else
    echo "no update server running on port $port"
  fi
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop [port]" >&2; exit 2 ;;
esac
