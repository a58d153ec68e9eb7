# The tools that draw the splash and the menu's backdrop take the packager's title from
# res/data, read as the player reads it, and cut it with ".." where it does not fit. Drawing
# the pictures takes minutes, so the title they would draw is what is checked.
source "$SOURCE_DIR/tests/support/e2e.sh"

# One row a case: res/data (printf escapes), the room in pixels, the title drawn.
rows=(
  '\xef\xbb\xbftitle=Blue Harbour\r\nplayers=1\r\n|1000|Blue Harbour'
  'players=2\n|1000|Game'
  'players=2 title=Late\ntitle=Early\n|1000|Game'   # the first line holding it decides
  'title=Blue Harbour\n|250|Blue Harb..'
)
for row in "${rows[@]}"; do
  IFS='|' read -r data room title <<<"$row"
  printf "$data" >"$E2E_TMP/data"
  got=$(python3 "$SOURCE_DIR/tools/game_title.py" "$E2E_TMP/data" "$room")
  [ "$got" = "$title" ] || fail "res/data '$data' in $room pixels: '$got', not '$title'"
done
pass "the pictures' title comes from res/data"
