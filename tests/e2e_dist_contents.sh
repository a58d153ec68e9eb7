# The folder a build leaves for shipping holds exactly the player, the component and the
# shipped resources: no log, settings or state slots, even after a run from that folder.
source "$SOURCE_DIR/tests/support/e2e.sh"

expected=$(printf '%s\n' libox_core.so player res res/{back,crtf,crtv,data,font,game,overlay,s_hover,s_select,splash})
listing() { (cd "$DIST_DIR" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort); }

[ "$(listing)" = "$expected" ] || fail "dist holds: $(listing | tr '\n' ' ')"
pass "dist holds exactly what is shipped"

# What a player started from dist would leave there; the next build takes it away.
for name in log conf 0S 0P conf.tmp; do echo "left by a run" > "$DIST_DIR/res/$name"; done
cmake --build "$BUILD_DIR" --target dist_res >/dev/null
[ "$(listing)" = "$expected" ] || fail "after a run from dist and a build, dist holds: $(listing | tr '\n' ' ')"
pass "a build removes what a run from dist left there"

# The zip tools/build-windows --zip makes of its dist unpacks into one folder named after the
# game's title, with the characters a file name cannot hold made "_" and no trailing dots,
# and says the title.
cp -r "$DIST_DIR" "$E2E_TMP/dist"
printf 'title=Wiesen-\xc3\x84rger: Teil 2?...\n' >"$E2E_TMP/dist/res/data"
python3 "$SOURCE_DIR/tools/pack_dist.py" "$E2E_TMP/dist" "$E2E_TMP" windows >/dev/null
folder="Wiesen-Ärger_ Teil 2_"
[ -f "$E2E_TMP/$folder-windows.zip" ] || fail "no zip named after the title: $(ls "$E2E_TMP")"
entries() { python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$1"; }
got=$(entries "$E2E_TMP/$folder-windows.zip" | sed 's|/$||' | LC_ALL=C sort)
want=$( (echo "$folder"; sed "s|^|$folder/|" <<<"$expected") | LC_ALL=C sort)
[ "$got" = "$want" ] || fail "the zip holds: $(tr '\n' ' ' <<<"$got")"
pass "the zip holds one folder named after the title, with what dist holds"
