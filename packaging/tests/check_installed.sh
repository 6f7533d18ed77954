#!/usr/bin/env bash
# Checks an installed copy of the program, from the folder it was installed into (the
# package unpacked with dpkg -x, or cmake --install --prefix):
#   check_installed.sh PREFIX VERSION SOURCE_FOLDER      e.g. /tmp/root/usr 1.0 .
# The programs answer their version and compute the README's design from there (the
# calculator finding its templates program beside it); the window program starts without
# a display and, on an X server, shows its front screen; the menu entry, the metainfo, the
# design-file type, the icons and the manual pages are where the desktop looks for them
# and pass their validators.
set -uo pipefail
prefix=$(realpath "$1")
version=$2
source_folder=$(realpath "$3")
app_id=org.ecdu.ExpansionChamber
bin=$prefix/bin
share=$prefix/share
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*" && failures=$((failures + 1)); }
cd "$work" || exit 1

# --version of every program.
for program in expansion-chamber expansion-chamber-calc expansion-chamber-templates; do
  got=$("$bin/$program" --version 2>&1)
  [[ $got == "$program $version" ]] || fail "$program --version said '$got'"
done

# The README's design and its flat patterns, run from the installed folder.
design=(--three-stage --temp-bmep --coef-bmep --bmep 10 --horn 1.5 --dx 40 --d1 44 --lx 20
  --angle 88 --rpm 11000)
out=$("$bin/expansion-chamber-calc" design "${design[@]}" 2>&1) ||
  fail "the design example ended with status $?: $out"
grep -q '^Tuned Length from Piston Face to Tail Pipe Entry: 813\.7$' <<<"$out" ||
  fail "the design example printed: $out"
out=$("$bin/expansion-chamber-calc" templates "${design[@]}" --pdf pipe.pdf --svg pipe.svg \
  --dxf pipe.dxf 2>&1) || fail "the templates example ended with status $?: $out"
[[ -s pipe.pdf && -s pipe.svg && -s pipe.dxf ]] || fail "the templates example left a file out"

# On an X server: the window program starts and shows its front screen's window, with its
# caption and its dark red ground.
command -v xvfb-run >/dev/null || fail "xvfb-run is missing"
cat >front.sh <<'EOF'
"$1" & gui=$!
for _ in $(seq 50); do
  id=$(xwininfo -root -tree | awk '/"Expansion Chamber Design Utility":/ { print $1; exit }')
  [ -n "$id" ] && break
  sleep 0.2
done
sleep 1
[ -n "$id" ] && import -window "$id" front.png
kill $gui; wait $gui 2>/dev/null
[ -n "$id" ]
EOF
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" bash front.sh \
  "$bin/expansion-chamber" >xvfb.log 2>&1 || fail "no front screen window: $(cat xvfb.log)"
h=$(identify -format %h front.png)
ground=$(convert front.png -crop "1x1+8+$((h - 8))" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}')
[[ $ground == "#C00000" ]] || fail "the front screen's ground is '$ground', not dark red"

# The menu entry, the metainfo and the icons.
desktop=$share/applications/$app_id.desktop
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[[ -x $bin/${exec_line%% *} ]] || fail "the menu entry runs '$exec_line', not an installed program"
out=$(appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml" 2>&1) ||
  fail "appstreamcli validate: $out"
grep -q "<release version=\"$version\"" "$share/metainfo/$app_id.metainfo.xml" ||
  fail "the metainfo has no release $version"
icons=$share/icons/hicolor
[[ -s $icons/scalable/apps/$app_id.svg ]] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
  got=$(identify -format '%wx%h' "$icons/${size}x$size/apps/$app_id.png" 2>&1)
  [[ $got == "${size}x$size" ]] || fail "the ${size}x$size icon is '$got'"
done

# The design-file type: a design saved by the calculator is recognised by its name and,
# under any name, by its content; the menu entry is the program that opens it.
mkdir -p data/mime/packages data/applications
cp "$share"/mime/packages/*.xml data/mime/packages/
cp "$desktop" data/applications/
out=$(update-mime-database "$work/data/mime" 2>&1) || fail "update-mime-database: $out"
update-desktop-database data/applications
"$bin/expansion-chamber-calc" design "${design[@]}" --save pipe.ecd >/dev/null ||
  fail "the calculator saved no design"
cp pipe.ecd nameless
for f in pipe.ecd nameless; do
  type=$(XDG_DATA_DIRS=$work/data:/usr/share gio info -a standard::content-type "$f" |
    sed -n 's/.*content-type: //p')
  [[ $type == application/x-expansion-chamber-design ]] || fail "$f is taken for '$type'"
done
opener=$(XDG_DATA_HOME=$work/data XDG_DATA_DIRS=$work/data \
  xdg-mime query default application/x-expansion-chamber-design)
[[ $opener == "$app_id.desktop" ]] || fail "design files open with '$opener'"

# The manual pages: whole and without warnings (their option lists come from the vocabulary,
# the forms tests hold them against --help).
for page in expansion-chamber expansion-chamber-calc expansion-chamber-templates; do
  file=$prefix/share/man/man1/$page.1.gz
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "man $page: $warnings"
done
bash "$source_folder/packaging/tests/check_completion.sh" "$bin/expansion-chamber-calc" \
  "$share/bash-completion/completions/expansion-chamber-calc" || fail "the bash completion"

((failures == 0)) || { echo "$failures checks of the installed program failed" && exit 1; }
echo "The installed program passed every check"
