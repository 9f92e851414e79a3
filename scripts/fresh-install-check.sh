#!/usr/bin/env bash
# The package on a fresh Debian 12 with nothing else: debootstrap makes a new system in a scratch
# folder, "apt install ./zelko6_*.deb" installs the package there as a user would (with what it
# depends on and recommends, nothing more), and the window is started there as a new user in
# Japanese, on a virtual X server of this machine. Pictures are saved of the main window, the open
# dialog and the question before a file is replaced, to be looked at: Qt's own texts ("Look in",
# "File name", the buttons) must be Japanese too.
# Needs root (debootstrap, chroot, mounts); downloads a base system (about 300 MB) the first time.
# The mirror is the one this machine's apt uses.
# Usage: fresh-install-check.sh [DEB] [OUT_DIR] [SCRATCH_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
deb="$(realpath "${1:-$(ls "$root"/build/zelko6_*_amd64.deb | head -n 1)}")"
out="$(realpath -m "${2:-$root/build/fresh-install}")"
fresh="$(realpath -m "${3:-${TMPDIR:-/tmp}/zelko6-fresh-bookworm}")"
[ "$(id -u)" -eq 0 ] || { echo "run as root: debootstrap, chroot and mount need it" >&2; exit 2; }
[ -f "$deb" ] || { echo "no package: $deb (scripts/package.sh makes it)" >&2; exit 2; }

missing=()
for tool in debootstrap:debootstrap Xvfb:xvfb xdotool:xdotool xwd:x11-apps pnmtopng:netpbm; do
  command -v "${tool%%:*}" >/dev/null || missing+=("${tool#*:}")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

user=newuser
home="/home/$user"
display=":$((90 + RANDOM % 100))"
xvfb="" app=""
mounted=()
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" 2>/dev/null || true; done
}
trap cleanup EXIT
bind() { mkdir -p "$2"; mount --bind "$1" "$2"; mounted+=("$2"); }
in_fresh() { chroot "$fresh" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

mkdir -p "$out"
if [ ! -x "$fresh/usr/bin/apt" ]; then
  mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' |
    awk '$2 == "bookworm" && $3 == "main" { print $1; exit }')
  [ -n "$mirror" ] || { echo "this machine's apt has no bookworm main to take the mirror from" >&2; exit 2; }
  echo "debootstrap bookworm into $fresh"
  debootstrap bookworm "$fresh" "$mirror" >"$out/debootstrap.log" 2>&1 ||
    { tail -20 "$out/debootstrap.log"; exit 1; }
fi
mount -t proc proc "$fresh/proc"; mounted+=("$fresh/proc")
bind /dev/pts "$fresh/dev/pts"
mkdir -p /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix
bind /tmp/.X11-unix "$fresh/tmp/.X11-unix"

cp "$deb" "$fresh/root/"
in_fresh apt-get update -qq
in_fresh apt install -y "/root/$(basename "$deb")" >"$out/apt-install.log" 2>&1 ||
  { tail -20 "$out/apt-install.log"; exit 1; }
in_fresh dpkg-query -W -f='${Package} ${Version}\n' zelko6 qt6-translations-l10n fonts-ipafont-gothic 2>&1 |
  tee "$out/installed.txt"

# A new user as a Japanese desktop would make one: the documents folder named by xdg-user-dirs.
in_fresh id "$user" >/dev/null 2>&1 || in_fresh useradd -m -s /bin/bash "$user"
documents="$home/ドキュメント"
in_fresh su "$user" -c "mkdir -p '$documents' ~/.config && printf 'XDG_DOCUMENTS_DIR=\"\$HOME/ドキュメント\"\n' > ~/.config/user-dirs.dirs && printf ':00000001FF\r\n' > '$documents/image.hex'"
runtime="/tmp/runtime-$user"
in_fresh install -d -m 700 -o "$user" -g "$user" "$runtime"

Xvfb "$display" -screen 0 1440x900x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY="$display"

chroot --userspec="$user:$user" "$fresh" env -i PATH=/usr/bin:/bin HOME="$home" USER="$user" \
  DISPLAY="$display" XDG_RUNTIME_DIR="$runtime" LANG=ja_JP.UTF-8 zelko6 >"$out/zelko6.log" 2>&1 &
app=$!

# The program's top-level windows, and a picture of one. Each window is taken by itself: on the
# bare X server a picture of the whole screen shows some windows of other depths black.
windows() { xwininfo -root -children | awk '/\("zelko6" "ZELKO6"\)/ { print $1 }' | sort; }
snap() { xwd -id "$1" -silent | xwdtopnm 2>/dev/null | pnmtopng >"$out/$2"; echo "saved $out/$2"; }
# Waits for a window by its title (xdotool's search does not match Japanese titles).
window_named() {
  local id=""
  for _ in $(seq 100); do
    id=$(xwininfo -root -children | awk -F'"' -v name="$1" '$2 == name { split($1, id, " "); print id[1]; exit }')
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || { echo "no window named $1" >&2; return 1; }
  echo "$id"
}
# Waits for a window that was not there before, and takes its picture.
snap_new() {
  local before=$1 name=$2 id=""
  for _ in $(seq 100); do
    id=$(comm -13 <(echo "$before") <(windows) | tail -n 1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || { echo "no new window for $name" >&2; return 1; }
  sleep 2 # its first paint
  snap "$id" "$name"
}
main=$(xdotool search --sync --onlyvisible --name "Serial EEPROM Programmer" | head -n 1)
# The board window opens where the main window does when nothing is saved: beside it here.
xdotool windowmove "$(window_named "インデックス情報")" 1060 67
sleep 2
snap "$main" main-ja.png
# ファイル(F), then the item's key in the menu; the dialog it opens is pictured. There is no window
# manager to give the keyboard to the main window.
file_menu() {
  local before
  xdotool windowfocus --sync "$main"
  before=$(windows)
  xdotool key --clearmodifiers alt+f
  sleep 1
  xdotool key "$1"
  snap_new "$before" "$2"
}

file_menu o open-ja.png # ファイルをロード(O)...
xdotool key Escape
sleep 2
# 名前を付けて保存(A)..., then a name that exists: the program asks before replacing it.
file_menu a save-ja.png
xdotool type --delay 50 "image.hex"
xdotool key Return
# The question by its title: the name box's completion list comes and goes as a window too.
question=$(window_named "上書き保存")
sleep 2
snap "$question" overwrite-ja.png
xdotool key Escape
sleep 1
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
app=""
echo "the program said:"; cat "$out/zelko6.log"
