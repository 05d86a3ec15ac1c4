#!/usr/bin/env bash
# Draws the placeholder artwork in assets/ with ImageMagick: the three page
# backgrounds laid out around the main window's controls, the scanning
# picture, the three verdict icons and the splash picture. Run by hand when
# the layout changes; the build only embeds the files.
set -eu
cd "$(dirname "${BASH_SOURCE[0]}")/../assets"
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
navy='#1f3b63'; sky='#2f6db5'; paper='#f4f7fb'; line='#9db4d3'

# Frame, body and footer shared by the three pages.
base() {
  convert -size 620x455 gradient:'#e9f0f9-#d7e3f2' \
    -fill "$navy" -draw "rectangle 0,0 620,40" \
    -fill "$sky" -draw "rectangle 0,38 620,41" \
    -fill "$navy" -draw "rectangle 0,390 620,455" \
    -fill "$sky" -draw "rectangle 0,388 620,391" \
    -font "$font" -fill white -pointsize 17 -annotate +16+27 'Vantrel 游戏硬件配置检测器' \
    -fill '#b9cbe4' -pointsize 11 -annotate +250+27 '看看你的电脑能不能玩' \
    -fill none -stroke "$line" -strokewidth 1 -draw "roundrectangle 40,52 580,378 10,10" \
    "$@"
}

# Step one: search field frame, column headings, the drive question.
base -font "$font" -fill "$navy" -stroke none -pointsize 14 -annotate +60+100 '搜索游戏：' \
  -fill white -stroke "$line" -draw "rectangle 150,82 458,107" \
  -stroke none -fill "$navy" -pointsize 13 \
  -annotate +138+138 '游戏名称' -annotate +288+138 '游戏类型' \
  -fill "$sky" -annotate +369+138 '游戏装在哪个盘？' \
  -fill white -stroke "$line" -draw "rectangle 131,142 485,342" \
  -stroke none -fill '#4a6286' -pointsize 12 -annotate +134+362 '第一步：选择游戏，并选择游戏所在的磁盘' \
  -quality 92 step1.jpg

# Step two: six captioned rows with white fields behind the information lines.
rows=("CPU:100" "内存:144" "显卡:186" "磁盘空间:230" "声卡:271" "操作系统:313")
args=()
for r in "${rows[@]}"; do
  name=${r%%:*}; y=${r##*:}
  args+=(-fill white -stroke "$line" -draw "roundrectangle 180,$((y - 6)) 506,$((y + 20)) 4,4")
  args+=(-stroke none -fill "$navy" -pointsize 14 -annotate "+80+$((y + 13))" "$name")
done
base -font "$font" "${args[@]}" \
  -stroke none -fill '#4a6286' -pointsize 12 -annotate +80+362 '第二步：您的电脑硬件配置' \
  -quality 92 step2.jpg

# Step three: four result frames, a wide verdict frame, a place for the icon.
args=()
for r in "CPU:101" "内存:141" "显卡:182" "磁盘:222"; do
  name=${r%%:*}; y=${r##*:}
  args+=(-fill white -stroke "$line" -draw "roundrectangle 306,$((y - 6)) 508,$((y + 20)) 4,4")
  args+=(-stroke none -fill "$navy" -pointsize 13 -annotate "+264+$((y + 13))" "$name")
done
base -font "$font" "${args[@]}" \
  -fill white -stroke "$line" -draw "roundrectangle 112,88 256,232 8,8" \
  -fill white -stroke "$line" -draw "roundrectangle 64,280 556,350 6,6" \
  -stroke none -fill '#4a6286' -pointsize 12 -annotate +64+372 '第三步：检测报告' \
  -quality 92 step3.jpg

# Scanning picture: a magnifier on a chip.
convert -size 32x32 xc:'#f7f3ee' -fill "$sky" -draw "roundrectangle 3,5 22,24 3,3" \
  -fill none -stroke "$navy" -strokewidth 3 -draw "circle 19,17 25,23" \
  -draw "line 23,21 30,29" -quality 95 scan.jpg

# Verdict icons, 128x128 RGBA.
convert -size 128x128 xc:none -fill '#d92b2b' -draw "circle 64,64 64,6" \
  -fill white -draw "circle 64,64 64,22" \
  -stroke '#d92b2b' -strokewidth 15 -draw "line 35,35 93,93" PNG32:cannot-run.png
convert -size 128x128 xc:none -fill '#f2b705' -stroke '#b88800' -strokewidth 3 \
  -draw "roundrectangle 0,0 0,0 0,0" -draw "polygon 64,8 122,116 6,116" \
  -stroke none -fill '#3b2b00' -draw "roundrectangle 58,42 70,86 4,4" -draw "circle 64,100 64,93" \
  PNG32:may-not-run.png
convert -size 128x128 xc:none -fill '#2e9e44' -draw "circle 64,64 64,6" \
  -fill none -stroke white -strokewidth 14 -draw "polyline 34,66 56,88 96,42" PNG32:runs-smoothly.png

# Splash: a rounded translucent card with the title and a loading notice.
convert -size 500x517 xc:none \
  -fill '#1f3b63e6' -draw "roundrectangle 8,8 492,509 36,36" \
  -fill '#2f6db5' -draw "roundrectangle 8,8 492,150 36,36" -draw "rectangle 8,110 492,150" \
  -font "$font" -fill white -pointsize 34 -annotate +40+95 'Vantrel' \
  -pointsize 26 -annotate +40+200 '游戏硬件配置检测器' \
  -fill '#b9cbe4' -pointsize 16 -annotate +40+240 '看看你的电脑能不能流畅运行心仪的游戏' \
  -fill none -stroke '#b9cbe4' -strokewidth 2 -draw "roundrectangle 40,420 460,440 10,10" \
  -fill '#b9cbe4' -stroke none -draw "roundrectangle 42,422 250,438 8,8" \
  -fill white -pointsize 15 -annotate +40+405 '正在载入游戏数据库，请稍候...' \
  -fill '#8aa3c7' -pointsize 13 -annotate +40+480 'V1.0' \
  PNG32:splash.png
identify step1.jpg step2.jpg step3.jpg scan.jpg cannot-run.png may-not-run.png runs-smoothly.png splash.png
