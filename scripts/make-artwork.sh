#!/usr/bin/env bash
# Draws the splash picture data/splash.jpg (480 x 320): a small house on its floor plan under an
# evening sky, with the program's name. Needs ImageMagick ("convert") and the DejaVu fonts. The
# motto and the version are drawn over it by the splash window, in the user's language.
set -euo pipefail
cd "$(dirname "$0")/.."

font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
[ -r "$font" ] || font=DejaVu-Sans-Bold

convert -size 480x320 gradient:'#24407a'-'#f2b36b' \
    -fill '#0b6b3a' -draw 'rectangle 0,236 480,320' \
    -stroke '#e8f0e8' -strokewidth 1 -fill none \
    -draw 'line 0,252 480,252' -draw 'line 0,272 480,272' -draw 'line 0,296 480,296' \
    -draw 'line 60,236 30,320' -draw 'line 160,236 150,320' -draw 'line 320,236 330,320' \
    -draw 'line 420,236 450,320' \
    -stroke '#2b2b30' -strokewidth 2 \
    -fill '#eecf96' -draw 'rectangle 150,150 330,250' \
    -fill '#b0342a' -draw 'polygon 130,154 240,78 350,154' \
    -fill '#8a2a22' -draw 'rectangle 290,92 310,130' \
    -fill '#3060c0' -draw 'rectangle 224,190 256,250' \
    -fill '#fff3b0' -draw 'rectangle 168,170 206,204' -draw 'rectangle 274,170 312,204' \
    -stroke '#2b2b30' -strokewidth 1 \
    -draw 'line 187,170 187,204' -draw 'line 168,187 206,187' \
    -draw 'line 293,170 293,204' -draw 'line 274,187 312,187' \
    -fill '#fff8e0' -stroke none -draw 'circle 410,60 410,78' \
    -font "$font" -pointsize 40 -fill '#ffffff' -stroke '#1b2440' -strokewidth 1 \
    -annotate +24+52 'Ardenvo' \
    -quality 90 data/splash.jpg
echo "wrote data/splash.jpg"
