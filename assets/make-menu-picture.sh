#!/usr/bin/env bash
# Draws the main menu's picture, menu.jpg: a baseline JPEG, 343 x 391, three 8-bit components.
# The buttons lie across y 234-259 and the two labels at the lower right, so those areas stay calm.
set -euo pipefail
cd "$(dirname "$0")"
kai=/usr/share/fonts/truetype/arphic/ukai.ttc
ming=/usr/share/fonts/truetype/arphic/uming.ttc

sheet_rows=""
for y in 118 134 150 166 182; do
  sheet_rows+="line 46,$y 196,$y "
done
amounts=""
for y in 110 126 142 158 174; do
  w=$(( (y * 7) % 38 + 22 ))
  amounts+="rectangle $((190 - w)),$((y - 4)) 190,$((y - 1)) "
  amounts+="rectangle 54,$((y - 4)) $((54 + (y % 5) * 6 + 26)),$((y - 1)) "
done
coins=""
for i in 0 1 2 3 4 5; do
  top=$((196 - i * 9))
  coins+="ellipse 278,$top 32,9 0,360 "
done
bars=""
x=34
for h in 38 52 46 64 58 76 70 88; do
  bars+="rectangle $x,$((372 - h)) $((x + 14)),372 "
  x=$((x + 21))
done

convert -size 343x391 gradient:'#e6eef7'-'#f8fafc' \
  -fill '#2f5d8a' -draw "rectangle 0,0 343,66" \
  -fill '#4a7aa8' -draw "rectangle 0,66 343,70" \
  -font "$kai" -pointsize 30 -fill white -gravity north -annotate +0+12 '薪資管理系統' -gravity northwest \
  -fill '#c9d6e3' -draw "polygon 34,90 226,84 232,222 40,228" \
  -fill white -stroke '#8fa6bd' -strokewidth 1 -draw "roundrectangle 30,86 222,220 4,4" \
  -stroke none -font "$ming" -pointsize 13 -fill '#2f5d8a' -annotate +92+88 '薪資明細表' \
  -stroke '#d3dde8' -draw "$sheet_rows" -stroke none \
  -fill '#7d93a8' -draw "$amounts" \
  -fill '#2f5d8a' -draw "rectangle 46,196 196,199" \
  -fill '#1f3f60' -draw "rectangle 150,204 190,210" \
  -stroke '#9a7418' -strokewidth 1 -fill '#e3b64a' -draw "$coins" \
  -fill '#f3d27a' -draw "ellipse 278,151 32,9 0,360" \
  -stroke none -fill '#b58a22' -font "$ming" -pointsize 14 -annotate +272+143 '$' \
  -fill '#d5e0eb' -draw "rectangle 0,226 343,268" \
  -stroke '#9fb3c8' -draw "line 26,372 206,372" -stroke none \
  -fill '#6f98c0' -draw "$bars" \
  -fill none -stroke '#2f5d8a' -strokewidth 2 -draw "polyline 41,328 62,316 83,322 104,302 125,308 146,288 167,294 188,276" -stroke none \
  -type TrueColor -colorspace sRGB -interlace none -sampling-factor 2x2 -quality 92 \
  -strip menu.jpg
identify -format '%m %wx%h %[colorspace] %[channels] %[jpeg:sampling-factor] %[interlace]\n' menu.jpg
