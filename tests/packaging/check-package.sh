#!/usr/bin/env bash
# The Debian package as a user gets it: CPack makes it in a folder of its own, dpkg installs it into
# a scratch root (its own package database, so nothing of the machine's is touched), and the
# layout, the desktop entry, the AppStream data, the udev rule and the programs there are checked;
# the programs, run as root where the test runs as root, must write nothing under the prefix, and
# a purge must leave nothing behind. Exits 77 (CTest: skipped) when a tool it needs is missing.
# Usage: check-package.sh BUILD_DIR SOURCE_DIR VERSION
set -uo pipefail
build=$1 source=$2 version=$3

for tool in cpack dpkg dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli gzip; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (scripts/install-deps.sh installs it)"; exit 77; }
done

work=$(mktemp -d)
sim="" window=""
cleanup() {
  [ -n "$sim" ] && kill "$sim" 2>/dev/null
  [ -n "$window" ] && kill "$window" 2>/dev/null
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Runs the command until it succeeds, looking again every tenth of a second: the one place this
# script lets time pass. Fails loudly after a minute, which only a fault ever takes.
wait_until() {
  local what=$1 deadline=$((SECONDS + 60))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || { fail "still waiting for $what after 60 s"; return 1; }
    sleep 0.1
  done
}

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

# Errors and warnings fail (package.sh prints the rest); pedantic tags are shown.
if command -v lintian >/dev/null; then
  lintian --pedantic --fail-on error,warning "$deb" >"$work/lintian.out" 2>&1 ||
    fail "lintian --pedantic: $(grep -E '^[EW]:' "$work/lintian.out")"
else
  echo "note: lintian is missing, not run"
fi

# A root of its own with an empty package database; the libraries the package depends on are the
# machine's, so they are not asked for there. --force-not-root lets a user who is not root do it.
root="$work/root"
dpkg_root() { dpkg --root="$root" --log="$work/dpkg.log" --force-not-root "$@"; }
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
dpkg_root --force-depends -i "$deb" >"$work/dpkg-install.out" 2>&1 ||
  { cat "$work/dpkg-install.out"; echo "FAIL: dpkg -i into a scratch root"; exit 1; }
prog="$root/usr/lib/zelko6"
share="$root/usr/share"
id=example.zelko_devices.zelko6

# The program folder holds the real executables and what they look for beside themselves.
for f in zelko6 zelko6-cli tools/zelko6-boardsim; do
  { [ -f "$prog/$f" ] && [ ! -L "$prog/$f" ] && [ -x "$prog/$f" ]; } || fail "not an executable: lib/zelko6/$f"
done
cmp -s "$prog/zelko6.ini" "$source/data/zelko6.ini" || fail "lib/zelko6/zelko6.ini is not the sample catalogue"
[ -s "$prog/zelko6_en.qm" ] || fail "no lib/zelko6/zelko6_en.qm"
[ -f "$prog/zelko6.installed" ] || fail "no lib/zelko6/zelko6.installed: the program folder is not marked as installed"
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
appstreamcli validate --pedantic --no-net "$metainfo" || fail "appstreamcli validate --pedantic $metainfo"
grep -q "S-record" "$metainfo" || fail "the metainfo's description does not name S-record"
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
for page in zelko6 zelko6-cli; do
  for section in OPTIONS "FILE FORMATS" FILES; do
    zcat "$share/man/man1/$page.1.gz" | grep -qx "\.SH \"\?$section\"\?" || fail "man page $page(1) has no $section section"
  done
  zcat "$share/man/man1/$page.1.gz" | grep -q 'S\\-record' || fail "man page $page(1) does not name S-record"
done
dpkg-deb -f "$deb" Recommends | grep -qw qt6-translations-l10n || fail "the package does not recommend qt6-translations-l10n"

# The udev rule, where udev reads rules (below /usr, as the program's own check expects). A line
# udev cannot read is logged and skipped, so a broken rule would silently do nothing. udevadm
# verify (systemd 253 and later) checks the grammar; Debian 12's udev is older, so the same
# grammar is checked here: every item KEY[{attribute}]OPERATOR"value", comma-separated, a key udev
# knows with an operator it allows, and a LABEL for every GOTO. Each id has its comment.
check_udev_rules() {
  local file=$1 n=0 line rest key attr op value previous="" bad=0
  local -A labels=() gotos=()
  local match_only='^(ACTION|DEVPATH|KERNEL|KERNELS|SUBSYSTEM|SUBSYSTEMS|DRIVER|DRIVERS|ATTRS|TAGS|RESULT|CONST|PROGRAM|TEST)$'
  local assign_only='^(GOTO|LABEL|OWNER|GROUP|MODE|OPTIONS|RUN|IMPORT|SECLABEL)$'
  local either='^(TAG|ENV|ATTR|NAME|SYMLINK|SYSCTL)$'
  local item='^[[:space:]]*([A-Z_]+)(\{[^}]+\})?(==|!=|\+=|-=|:=|=)"([^"]*)"[[:space:]]*(,[[:space:]]*|$)(.*)$'
  while IFS= read -r line; do
    n=$((n + 1))
    [[ $line =~ ^[[:space:]]*$ ]] && continue
    if [[ $line =~ ^[[:space:]]*# ]]; then previous=$line; continue; fi
    if [[ $line == *idVendor* && $previous != \#* ]]; then echo "$file:$n: no comment names the chip"; bad=1; fi
    previous=$line rest=$line
    while [ -n "$rest" ]; do
      if ! [[ $rest =~ $item ]]; then echo "$file:$n: not a udev item: $rest"; bad=1; break; fi
      key=${BASH_REMATCH[1]} attr=${BASH_REMATCH[2]} op=${BASH_REMATCH[3]} value=${BASH_REMATCH[4]} rest=${BASH_REMATCH[6]}
      if [[ $key =~ $match_only ]]; then [[ $op == "==" || $op == "!=" ]] || { echo "$file:$n: $key takes == or !=, not $op"; bad=1; }
      elif [[ $key =~ $assign_only ]]; then [[ $op != "==" && $op != "!=" ]] || { echo "$file:$n: $key is assigned, not compared"; bad=1; }
      elif ! [[ $key =~ $either ]]; then echo "$file:$n: udev has no key $key"; bad=1
      fi
      [[ $key =~ ^(ATTR|ATTRS|ENV|SYSCTL)$ && -z $attr ]] && { echo "$file:$n: $key needs {attribute}"; bad=1; }
      [ "$key" = GOTO ] && gotos[$value]=$n
      [ "$key" = LABEL ] && labels[$value]=$n
    done
  done <"$file"
  for label in "${!gotos[@]}"; do
    [ -n "${labels[$label]:-}" ] || { echo "$file:${gotos[$label]}: GOTO $label has no LABEL"; bad=1; }
  done
  return $bad
}
rule="$root/usr/lib/udev/rules.d/60-zelko6.rules"
if [ ! -s "$rule" ]; then
  fail "no udev rule at usr/lib/udev/rules.d/60-zelko6.rules"
else
  if udevadm verify --help >/dev/null 2>&1; then
    udevadm verify --resolve-names=never "$rule" || fail "udevadm verify $rule"
  fi
  check_udev_rules "$rule" || fail "the udev rule does not read as udev reads rules"
  grep -q 'TAG+="uaccess"' "$rule" || fail "the udev rule gives nothing to the user at the seat"
fi

# The programs as the user starts them: through bin/, with a home of their own.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp" LANG=C.UTF-8
unset LC_ALL LANGUAGE $(compgen -v ZELKO6_COM)
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"
cli="$root/usr/bin/zelko6-cli"
before=$(cd "$root/usr" && find . | sort)

"$cli" list >"$work/list.out" 2>"$work/list.err" || fail "zelko6-cli list: $(cat "$work/list.err")"
"$build/zelko6-cli" list >"$work/list.build" 2>/dev/null
cmp -s "$work/list.out" "$work/list.build" || fail "zelko6-cli list differs from the build's: $(cat "$work/list.out")"

# Bash completion, found where bash-completion looks, asks the installed program: commands, and the
# chips of the catalogue that program reads.
completion="$share/bash-completion/completions/zelko6-cli"
if [ -f "$completion" ]; then
  complete_words() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
             _zelko6_cli; printf "%s\n" "${COMPREPLY[@]}"' bash "$completion" "$cli" "$@"
  }
  [ "$(complete_words bl)" = "blank" ] || fail "completion of 'zelko6-cli bl': $(complete_words bl)"
  [ "$(complete_words read --chip 93C4)" = "93C46" ] ||
    fail "completion of 'zelko6-cli read --chip 93C4': $(complete_words read --chip 93C4)"
else
  fail "no share/bash-completion/completions/zelko6-cli"
fi

mkdir -p "$work/demo"
"$cli" demo --output "$work/demo/demo.hex" >"$work/demo.out" 2>&1 || fail "zelko6-cli demo: $(tail -5 "$work/demo.out")"
[ -s "$work/demo/demo.hex" ] || fail "zelko6-cli demo saved no Intel HEX"

# The installed program folder is marked: the verify log goes to the user's data folder whoever
# runs the program, root included, and nothing is written anywhere under the prefix (the list and
# the demo above included).
if [ "$(id -u)" -eq 0 ]; then runner="root"; else runner="$(id -un) (root runs are checked where the test runs as root)"; fi
expected_log="$XDG_DATA_HOME/ZELKO6/VerifyLog.txt"
# The simulator says "PTY <device>" once its link is in place: that line, not a while, is waited for.
exec {board}< <(exec "$prog/tools/zelko6-boardsim" --link "$work/board" --size-exp 8 2>"$work/board.err")
sim=$!
read -r -t 60 _ <&"$board" || fail "the board simulator did not start: $(cat "$work/board.err")"
head -c 256 /dev/urandom >"$work/image.bin"
for command in write verify; do
  rm -f "$expected_log"
  "$cli" "$command" "$work/image.bin" --chip 24C02 --port "$work/board" >"$work/$command.out" 2>&1 ||
    fail "zelko6-cli $command as $runner: $(tail -5 "$work/$command.out")"
  [ -s "$expected_log" ] || fail "no verify log at $expected_log after a $command as $runner"
done

# The window writes its text dump at its first refresh of the grid: wait for it, then end it.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/zelko6" >"$work/window.out" 2>&1 &
window=$!
dump_or_gone() { [ -s "$XDG_DATA_HOME/ZELKO6/temp.txt" ] || ! kill -0 "$window" 2>/dev/null; }
wait_until "the window's text dump" dump_or_gone
[ -s "$XDG_DATA_HOME/ZELKO6/temp.txt" ] || fail "the window as $runner wrote no temp.txt in the user's data folder: $(tail -5 "$work/window.out")"
kill "$window" 2>/dev/null; wait "$window" 2>/dev/null; window=""
after=$(cd "$root/usr" && find . | sort)
[ "$before" = "$after" ] || fail "files appeared under the prefix as $runner: $(diff <(echo "$before") <(echo "$after"))"

# A purge removes every file and folder the package brought; a stray file would keep its folder.
kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null; sim=""
dpkg_root --purge zelko6 >"$work/dpkg-purge.out" 2>&1 || fail "dpkg --purge: $(tail -3 "$work/dpkg-purge.out")"
left=$(cd "$root" && find . -mindepth 1 -not -path './var' -not -path './var/lib' -not -path './var/lib/dpkg*' | sort)
[ -z "$left" ] || fail "left behind after the purge: $left"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "package $deb: lintian, layout, desktop entry, metainfo, icons, man pages, completion, udev rule, list, demo, write, verify and the window as $runner, purge checked"
