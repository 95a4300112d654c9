#!/usr/bin/env bash
# Installs what is missing, builds Tavizo and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/tavizo
