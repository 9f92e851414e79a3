#!/usr/bin/env bash
# The Debian package as a user gets it: CPack makes it in a folder of its own, dpkg-deb unpacks it
# into a temporary root, and the layout, the desktop entry, the AppStream data and the programs
# there are checked. Exits 77 (CTest: skipped) when a tool it needs is missing.
# Usage: check-package.sh BUILD_DIR SOURCE_DIR VERSION
set -uo pipefail
build=$1 source=$2 version=$3

for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli gzip; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (scripts/install-deps.sh installs it)"; exit 77; }
done

work=$(mktemp -d)
sim=""
cleanup() {
  [ -n "$sim" ] && kill "$sim" 2>/dev/null
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack"
  exit 1
fi
deb="$work/out/zelko6_${version}_amd64.deb"
[ -f "$deb" ] || { ls "$work/out"; echo "FAIL: no $deb"; exit 1; }

# The libraries come from dpkg-shlibdeps, not from a list of ours.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6; do
  [[ ", $depends," == *", $lib "* ]] || fail "Depends lacks $lib: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x"; exit 1; }
prog="$root/usr/lib/zelko6"
share="$root/usr/share"
id=example.zelko_devices.zelko6

# The program folder holds the real executables and what they look for beside themselves.
for f in zelko6 zelko6-cli tools/zelko6-boardsim; do
  { [ -f "$prog/$f" ] && [ ! -L "$prog/$f" ] && [ -x "$prog/$f" ]; } || fail "not an executable: lib/zelko6/$f"
done
cmp -s "$prog/zelko6.ini" "$source/data/zelko6.ini" || fail "lib/zelko6/zelko6.ini is not the sample catalogue"
[ -s "$prog/zelko6_en.qm" ] || fail "no lib/zelko6/zelko6_en.qm"
for p in zelko6 zelko6-cli; do
  [ "$(readlink "$root/usr/bin/$p")" = "../lib/zelko6/$p" ] || fail "bin/$p is not a relative link to lib/zelko6/$p"
done

desktop="$share/applications/$id.desktop"
metainfo="$share/metainfo/$id.metainfo.xml"
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
grep -qx 'Exec=zelko6' "$desktop" || fail "the desktop entry does not start zelko6"
grep -qx 'Icon=zelko6' "$desktop" || fail "the desktop entry does not name the icon zelko6"
# The window's class on X11 is the program's application name.
grep -qx 'StartupWMClass=ZELKO6' "$desktop" || fail "the desktop entry does not name the window class ZELKO6"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metainfo does not launch $id.desktop"

[ -s "$share/icons/hicolor/scalable/apps/zelko6.svg" ] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
  png="$share/icons/hicolor/${size}x${size}/apps/zelko6.png"
  # Width and height: the first two big-endian words after the PNG signature and IHDR header.
  read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$png" 2>/dev/null)
  [ "${w:-}x${h:-}" = "${size}x${size}" ] || fail "$png is ${w:-?}x${h:-?}, not ${size}x${size}"
done
for f in doc/zelko6/changelog.gz man/man1/zelko6.1.gz man/man1/zelko6-cli.1.gz; do
  gzip -t "$share/$f" 2>/dev/null || fail "not a gzip file: share/$f"
done
[ -s "$share/doc/zelko6/copyright" ] || fail "no copyright file"

# The programs as the user starts them: through bin/, with a home of their own.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp" LANG=C.UTF-8
unset LC_ALL LANGUAGE $(compgen -v ZELKO6_COM)
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"
cli="$root/usr/bin/zelko6-cli"
before=$(cd "$prog" && find . | sort)

"$cli" list >"$work/list.out" 2>"$work/list.err" || fail "zelko6-cli list: $(cat "$work/list.err")"
"$build/zelko6-cli" list >"$work/list.build" 2>/dev/null
cmp -s "$work/list.out" "$work/list.build" || fail "zelko6-cli list differs from the build's: $(cat "$work/list.out")"

mkdir -p "$work/demo"
"$cli" demo --output "$work/demo/demo.hex" >"$work/demo.out" 2>&1 || fail "zelko6-cli demo: $(tail -5 "$work/demo.out")"
[ -s "$work/demo/demo.hex" ] || fail "zelko6-cli demo saved no Intel HEX"

# The default verify log goes beside the program when its folder can be written (as root) and to
# the user's data folder when it cannot: both are the layout working, each checked for what it is.
chmod -R a-w "$prog"
if touch "$prog/.probe" 2>/dev/null; then
  rm -f "$prog/.probe"
  expected_log="$prog/VerifyLog.txt"
else
  expected_log="$XDG_DATA_HOME/ZELKO6/VerifyLog.txt"
fi
# The simulator says "PTY <device>" once its link is in place: that line, not a while, is waited for.
exec {board}< <(exec "$prog/tools/zelko6-boardsim" --link "$work/board" --size-exp 8 2>"$work/board.err")
sim=$!
read -r -t 60 _ <&"$board" || fail "the board simulator did not start: $(cat "$work/board.err")"
head -c 256 /dev/urandom >"$work/image.bin"
"$cli" write "$work/image.bin" --chip 24C02 --port "$work/board" >"$work/write.out" 2>&1 ||
  fail "zelko6-cli write: $(tail -5 "$work/write.out")"
[ -s "$expected_log" ] || fail "no verify log at $expected_log"
if [ "$expected_log" != "$prog/VerifyLog.txt" ]; then
  after=$(cd "$prog" && find . | sort)
  [ "$before" = "$after" ] || fail "files appeared in the read-only program folder: $(diff <(echo "$before") <(echo "$after"))"
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "package $deb: layout, desktop entry, metainfo, icons, list, demo and write checked"
