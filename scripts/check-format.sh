#!/usr/bin/env bash
# Fails when a C++ source of the project is not formatted by the repository's .clang-format.
set -uo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null)
[ -n "$files" ] || files=$(find engine game tools tests fuzz bench -name '*.cpp' -o -name '*.h')
# shellcheck disable=SC2086
clang-format --dry-run --Werror $files
