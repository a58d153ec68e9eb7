# The tools that draw the splash and the menu's backdrop take the packager's title from
# res/data, read as the player reads it (UTF-8), and cut it with ".." where it does not fit;
# a character they cannot draw is drawn as "?" and named. Drawing the pictures takes long,
# so the title they would draw is what is checked.
source "$SOURCE_DIR/tests/support/e2e.sh"
tools=$SOURCE_DIR/tools

# One row a case: res/data (printf escapes), the room in pixels, the title drawn.
rows=(
  '\xef\xbb\xbftitle=Blue Harbour\r\nplayers=1\r\n|1000|Blue Harbour'
  'players=2\n|1000|Game'
  'players=2 title=Late\ntitle=Early\n|1000|Game'   # the first line holding it decides
  'title=Blue Harbour\n|250|Blue Harb..'
  'title=\xce\x86\xce\xbb\xcf\x82 \xd0\x81\xd0\xb6\n|1000|Άλς Ёж'   # Greek, Cyrillic
  'title=Caf\xe9 \xe3\x82\xb2\n|1000|Caf? ?'   # a byte that is not UTF-8, a letter not drawn
)
for row in "${rows[@]}"; do
  IFS='|' read -r data room title <<<"$row"
  printf "$data" >"$E2E_TMP/data"
  got=$(python3 "$tools/game_title.py" "$E2E_TMP/data" "$room" | sed -n 1p)
  [ "$got" = "$title" ] || fail "res/data '$data' in $room pixels: '$got', not '$title'"
done
pass "the pictures' title comes from res/data"

# Both tools say what they would draw and name what they cannot.
printf 'title=Wiesen-\xc3\x84rger \xe3\x82\xb2\n' >"$E2E_TMP/data"
for tool in make_splash make_overlay; do
  said=$(python3 "$tools/$tool.py" --dry-run --data "$E2E_TMP/data")
  grep -q "^title \"Wiesen-Ärger ?\" from $E2E_TMP/data, " <<<"$said" || fail "$tool.py said: $said"
  grep -qxF 'cannot draw "ゲ" (U+30B2 KATAKANA LETTER GE): drawn as "?"' <<<"$said" || fail "$tool.py said: $said"
done
pass "the tools print the title they draw and name the letter they cannot draw"

# Every letter the rule promises has a picture of its own: not the "?", and with its mark
# where it is composed from a base letter.
wrong=$(python3 - "$tools" <<'EOF'
import sys, unicodedata
sys.path.insert(0, sys.argv[1])
from title_font import EXTRA, RANGES, bitmap
promised = [chr(c) for lo, hi, _ in RANGES for c in range(lo, hi + 1)
            if lo < 0x80 or unicodedata.category(chr(c)).startswith("L")] + EXTRA
for ch in promised:
    base = unicodedata.normalize("NFD", ch)[0]
    if ch != " " and (bitmap(ch) is None or bitmap(ch) == bitmap("?") and ch != "?"
                      or base != ch and bitmap(ch) == bitmap(base)):
        print(ch, end="")
EOF
)
[ -z "$wrong" ] || fail "drawn as another letter or not at all: $wrong"
pass "every letter of the rule in the tools' help is drawn"
