#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo firm and starts the program on it.
# The data stays in ~/.local/share/Orvalis-demo (set ORVALIS_DATA_DIR to use another place).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
data="${ORVALIS_DATA_DIR:-$HOME/.local/share/Orvalis-demo/SYSTEM/DATA}"
firm=$(build/src/orvalis-cli --data-dir "$data" demo)
exec build/src/orvalis --data-dir "$data" --firm "$firm"
