#!/usr/bin/env bash
# Installs the package with apt-get as a user would, checks what the desktop and the shell
# then find, removes it and checks that nothing of it is left (needs root or sudo; the
# package must not be installed yet):
#   check_system_install.sh PACKAGE.deb
set -uo pipefail
deb=$(realpath "$1")
name=$(dpkg-deb -f "$deb" Package)
app_id=org.ecdu.ExpansionChamber
type=application/x-expansion-chamber-design
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
failures=0
fail() { echo "FAILED: $*" && failures=$((failures + 1)); }
installed() { dpkg-query -W -f '${Status}' "$name" 2>/dev/null | grep -q 'ok installed'; }
installed && { echo "$name is installed already: this check installs and removes it" >&2 && exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q -o DPkg::Lock::Timeout=600 \
  "$deb" >apt.log 2>&1 || { cat apt.log; exit 1; }
installed || fail "apt-get did not install $name"
files=$(dpkg -L "$name" | while read -r f; do [ -f "$f" ] && echo "$f"; done)

# The programs are on the path, the manual is found, the completion loads on demand.
[ "$(command -v expansion-chamber-calc)" = /usr/bin/expansion-chamber-calc ] ||
  fail "expansion-chamber-calc is not on the path"
man expansion-chamber-calc 2>/dev/null | grep -q 'EXIT STATUS' || fail "man expansion-chamber-calc"
bash -c 'source /usr/share/bash-completion/bash_completion
  _completion_loader expansion-chamber-calc
  complete -p expansion-chamber-calc' >/dev/null 2>&1 || fail "the completion does not load"

# The menu entry opens design files, the MIME database knows them, the icon cache has
# the icon (Debian's triggers of desktop-file-utils, shared-mime-info and
# gtk-update-icon-cache update them).
grep -q "^$type=.*$app_id.desktop" /usr/share/applications/mimeinfo.cache ||
  fail "the desktop database does not open design files with the program"
[ -f /usr/share/mime/$type.xml ] || fail "the MIME database has no $type"
icon_cache=/usr/share/icons/hicolor/icon-theme.cache
[ ! -f $icon_cache ] || grep -q "$app_id" $icon_cache || fail "the icon cache lacks the icon"

# xdg-open on a design file starts the program with it: the design window shows its
# results, which makes it taller than the empty form.
expansion-chamber-calc design --three-stage --temp-bmep --coef-bmep --bmep 10 --horn 1.5 \
  --dx 40 --d1 44 --lx 20 --angle 88 --rpm 11000 --save pipe.ecd >/dev/null
cat >open.sh <<'EOF'
xdg-open pipe.ecd >xdg-open.log 2>&1 &
for _ in $(seq 50); do
  id=$(xwininfo -root -tree | awk '/"Expansion Chamber Design - Data Entry"/ { print $1; exit }')
  [ -n "$id" ] && break
  sleep 0.2
done
[ -n "$id" ] || exit 1
sleep 1
pid=$(xprop -id "$id" _NET_WM_PID | grep -o '[0-9]*$')
tr '\0' ' ' </proc/"$pid"/cmdline
echo
xwininfo -id "$id" | sed -n 's/^ *Height: //p'
kill "$pid"
EOF
if out=$(xvfb-run -a -s "-screen 0 1280x1024x24" bash open.sh 2>/dev/null); then
  command=$(head -1 <<<"$out")
  height=$(tail -1 <<<"$out")
  [[ $command =~ ^(/usr/bin/)?expansion-chamber\ ($work/)?pipe\.ecd\ $ ]] ||
    fail "xdg-open ran: $command"
  ((height > 600)) || fail "the design window is $height pixels high: no results shown"
else
  fail "xdg-open pipe.ecd showed no design window: $(cat xdg-open.log)"
fi

# Removed: none of its files is left, and the databases no longer name it.
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -y -q -o DPkg::Lock::Timeout=600 \
  "$name" >apt.log 2>&1 || { cat apt.log; exit 1; }
installed && fail "apt-get remove left $name installed"
dpkg-query -W -f '${Status}' "$name" 2>/dev/null | grep -q config-files &&
  fail "$name left configuration files"
for f in $files; do
  [ -e "$f" ] && fail "left behind: $f"
done
grep -q "$app_id" /usr/share/applications/mimeinfo.cache 2>/dev/null &&
  fail "the desktop database still names the program"
[ -e /usr/share/mime/$type.xml ] && fail "the MIME database still has $type"
[ -f $icon_cache ] && grep -q "$app_id" $icon_cache && fail "the icon cache still has the icon"

((failures == 0)) || { echo "$failures checks of the installed package failed" && exit 1; }
echo "Installed, found by the desktop and the shell, and removed without a trace"
