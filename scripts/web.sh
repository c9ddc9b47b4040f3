#!/usr/bin/env bash
# Builds bounce for the browser (installing what the web build needs) and serves it on the
# loopback interface only; open the address it prints. Usage: scripts/web.sh [port (8000)]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh web
cmake --preset web >/dev/null
cmake --build --preset web >/dev/null
exec node web/serve.mjs build/web "${1:-8000}"
