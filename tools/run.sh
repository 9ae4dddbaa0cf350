#!/usr/bin/env bash
# Builds Varnel Coils and starts it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/build.sh"
exec "$root/build/cli/varnel-calc" "$@"
