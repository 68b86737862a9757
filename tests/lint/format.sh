#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when any C++ file of the project is not as clang-format would write it.
#
# usage: format.sh CLANG_FORMAT SOURCE_DIRECTORY
set -euo pipefail
clang_format=$1
cd "$2"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
    mapfile -t files < <(find app bench core form link tests tools window \
                             -name '*.cpp' -o -name '*.h' | sort)
fi
((${#files[@]})) || { echo "no C++ files found" >&2; exit 1; }
"$clang_format" --dry-run --Werror "${files[@]}"
echo "${#files[@]} files formatted as .clang-format says"
