#!/usr/bin/env bash
# Builds bounce for the browser (installing what the web build needs): the page and what makes
# it an installable app. Serves it on the loopback interface only; open the address it prints.
# Usage: scripts/web.sh [port (8000)]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh web
configure_build web
exec node web/serve.mjs build/web "${1:-8000}"
