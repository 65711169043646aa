#!/usr/bin/env bash
# The Debian package of this build: built, unpacked into a temporary root, its desktop entry,
# icon and catalogue where the menu and the program look for them, and the unpacked program
# started as an installed copy on an X server of its own:
#   - a first start in a fresh home creates the application directory there, asks for the
#     language and reaches the login in that language (read from the shipped catalogue);
#   - a second start by the same user leaves at once, another user's start runs beside it;
#   - a later start (as after installing a newer package) opens the same database, not a new one;
#   - a home on a full disk gets its message and no file is written.
# Usage: test_package.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir="$1"
build_dir="$2"
if [ "${PASTILLERO_IN_NETNS:-}" != 1 ]; then
  exec "$source_dir/scripts/in-private-network.sh" "$0" "$@"
fi

work="$(mktemp -d /tmp/pastillero-package.XXXXXX)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ -n "${PASTILLERO_KEEP_PACKAGE_TEST:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# wait_for PATTERN FILE SECONDS: true once FILE holds a line matching PATTERN.
wait_for() {
  for _ in $(seq $(($3 * 10))); do
    grep -q -- "$1" "$2" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

# png_size FILE: the width and height of a PNG picture, as "WxH".
png_size() {
  local b
  read -r -a b < <(od -An -tu1 -j16 -N8 "$1")
  echo "$(((b[0] << 24) + (b[1] << 16) + (b[2] << 8) + b[3]))x$(((b[4] << 24) + (b[5] << 16) + (b[6] << 8) + b[7]))"
}

echo "# Building the package"
cpack --config "$build_dir/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack did not build the package"; }
deb="$(ls "$work"/out/pastillero_*.deb)"
version="$(sed -n 's/^project(Pastillero VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")"
[ "$(dpkg-deb -f "$deb" Package)" = pastillero ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not the project's $version"
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libqt6widgets6 libqt6sql6 libqt6network6 libqt6printsupport6 libzint libxlsxwriter \
  libsodium libcurl libqt6sql6-sqlite; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
dpkg-deb -e "$deb" "$work/control"
for script in preinst postinst prerm postrm; do
  [ ! -e "$work/control/$script" ] || fail "unexpected maintainer script $script"
done
if dpkg-deb -c "$deb" | grep -E 'data\.dat|\.ini$|\.log$'; then
  fail "the package carries pharmacy files"
fi

echo "# Unpacking into a temporary root"
root="$work/root"
dpkg-deb -x "$deb" "$root"
entry="$root/usr/share/applications/pastillero.desktop"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
program="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")"
[ -x "$root/usr/bin/$program" ] || fail "Exec=$program is not in /usr/bin"
gzip -t "$root/usr/share/man/man1/$program.1.gz" || fail "no manual page"
icon="$(sed -n 's/^Icon=//p' "$entry")"
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256 512x512; do
  png="$root/usr/share/icons/hicolor/$size/apps/$icon.png"
  [ -f "$png" ] || fail "no $size icon"
  [ "$(png_size "$png")" = "$size" ] || fail "$png is not $size"
done
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon"
cmp -s "$root/usr/share/pastillero/pastillero.lng" "$source_dir/translations/pastillero.lng" \
  || fail "the catalogue is not where the program looks for it"

exec 3>"$work/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
wait_for . "$work/display" 30 || fail "no X server"
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb

# start_installed HOME NAME [PREFIX...]: the unpacked program as that user would start it,
# through the command PREFIX (another account) when given.
start_installed() {
  local home="$1" name="$2"
  shift 2
  mkdir -p "$home"
  "$@" env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_RUNTIME_DIR HOME="$home" \
    "$root/usr/bin/$program" >"$work/$name.out" 2>"$work/$name.err" &
  pids+=($!)
}
# shown TITLE: the window of that title, once it shows.
shown() {
  timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -1 | grep . \
    || fail "no window \"$1\""
}
# answer TITLE KEYS...: types into the window of that title once it shows.
answer() {
  local window
  window="$(shown "$1")"
  shift
  xdotool windowfocus --sync "$window"
  xdotool "$@"
}
appdir_of() { echo "$1/.local/share/pastillero/pastillero"; }

echo "# First start of an installed copy"
home="$work/home-ana"
start_installed "$home" first
first=${pids[-1]}
wait_for "step 8 language" "$work/first.err" 60 || { cat "$work/first.err"; fail "no start"; }
grep -q "DIRECTORIO APLICACION $(appdir_of "$home")" "$work/first.err" \
  || fail "the log does not say where the files are"
answer "SELECT LANGUAGE - COUNTRY" type --delay 100 Italiano
answer "SELECT LANGUAGE - COUNTRY" key Return
wait_for "step 16 login" "$work/first.err" 60 || { cat "$work/first.err"; fail "no login"; }
shown ACCESSO >/dev/null # the login, in Italian
[ -s "$(appdir_of "$home")/data.dat" ] || fail "no database in the application directory"
[ "$(ls "$root/usr/bin")" = "$program" ] || fail "files written beside the executable"
[ "$(ls "$root/usr/share/pastillero")" = pastillero.lng ] || fail "files written to the shipped folder"

echo "# Same user again, and another user beside"
start_installed "$home" again
again=${pids[-1]}
for _ in $(seq 100); do kill -0 "$again" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$again" 2>/dev/null; then fail "a second copy of the same user kept running"; fi
wait "$again" || fail "the second copy did not end normally"
grep -q "step 2 " "$work/again.err" && fail "the second copy went past the single-instance check"
# Another account of the computer when we may switch to one (as CI runs), else another home.
other_home="$work/home-luis"
as_other=()
if [ "$(id -u)" -eq 0 ]; then
  chmod 755 "$work"
  mkdir -p "$other_home"
  chown nobody "$other_home"
  as_other=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
QT_QPA_PLATFORM=offscreen start_installed "$other_home" other "${as_other[@]}"
wait_for "step 8 language" "$work/other.err" 60 || { cat "$work/other.err"; fail "another user cannot start"; }
[ -d "$(appdir_of "$other_home")" ] || fail "the other user has no directory of their own"

echo "# A later start keeps the database"
database="$(appdir_of "$home")/data.dat"
inode="$(stat -c %i "$database")"
kill "$first"
wait "$first" 2>/dev/null || true
start_installed "$home" later
wait_for "step 16 login" "$work/later.err" 60 || { cat "$work/later.err"; fail "no login on a later start"; }
shown ACCESSO >/dev/null # the language was kept: no question this time
[ "$(stat -c %i "$database")" = "$inode" ] || fail "the database was replaced"

echo "# A home on a full disk"
full="$work/full"
mkdir -p "$full"
mounter=()
if [ "$(id -u)" -eq 0 ]; then mounter=(unshare -m); elif unshare -Urm true 2>/dev/null; then mounter=(unshare -Urm); fi
if [ ${#mounter[@]} -eq 0 ]; then
  echo "SKIP: no private mount namespace to make a full disk in"
else
  "${mounter[@]}" bash -c '
    set -e
    mount -t tmpfs -o size=2m tmpfs "$1"
    mkdir -p "$1/.local/share"
    dd if=/dev/zero of="$1/filler" bs=64k 2>/dev/null || true
    env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$1" "$2" >"$3.out" 2>"$3.err" &
    app=$!
    for _ in $(seq 300); do grep -q "ESPACIO LIBRE" "$3.err" && break; sleep 0.1; done
    kill "$app"
    wait "$app" || true
    find "$1/.local" -type f >"$3.files"' _ "$full" "$root/usr/bin/$program" "$work/full"
  grep -q "NO QUEDA ESPACIO LIBRE" "$work/full.err" || { cat "$work/full.err"; fail "no message for a full disk"; }
  [ ! -s "$work/full.files" ] || { cat "$work/full.files"; fail "files written on a full disk"; }
fi
echo "PASS"
