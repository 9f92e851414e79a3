#!/usr/bin/env bash
# Cross-builds ZELKO6 for Windows (scripts/windows/build.sh) and makes its installer and portable
# archive with CPack in build-win/zelko6: zelko6-<version>-win64.exe (NSIS, makensis) and
# zelko6-<version>-win64.zip, the same program folder.
set -euo pipefail
. "$(dirname "$0")/common.sh"
"$root/scripts/windows/build.sh" "$@"
cd "$build_win"
rm -f zelko6-*-win64.exe zelko6-*-win64.zip
cpack -G "NSIS;ZIP" >cpack.log 2>&1 || {
  tail -n 40 cpack.log >&2
  echo "Packaging for Windows failed; the whole log is $build_win/cpack.log." >&2
  exit 1
}
for made in zelko6-*-win64.exe zelko6-*-win64.zip; do
  [ -s "$made" ] || { echo "cpack made no $made" >&2; exit 1; }
  echo "package: $build_win/$made"
done
