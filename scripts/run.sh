#!/usr/bin/env bash
# Builds bounce (installing what the build needs) and runs it; arguments go to the toolkit.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh build
configure_build app
exec build/app/bounce "$@"
