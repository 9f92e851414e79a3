#!/usr/bin/env bash
# Fails when a committed C++ source is not formatted by the committed .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is missing: run scripts/install-deps.sh" >&2; exit 2; }
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "format: $(git ls-files '*.cpp' '*.h' | wc -l) sources as .clang-format has them"
