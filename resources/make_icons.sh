#!/bin/sh
# Draws the bundled fallback icons (32 x 32 PNG) with ImageMagick and renders the
# program's icon from its SVG. Run it after changing a drawing; the PNGs are kept in
# the repository.
set -e
cd "$(dirname "$0")/icons"
C="convert -size 32x32 xc:none -strokewidth 2"
BLUE='#2a6db5'; DARK='#24364f'; RED='#c43c35'; GREEN='#2e8b3d'; AMBER='#e0a526'; GREY='#7a8595'

# Folder: tab and body.
$C -fill "$AMBER" -stroke '#a7791a' -draw 'roundrectangle 3,7 14,12 2,2' -draw 'roundrectangle 3,10 29,27 2,2' folder.png
# Home: roof and house.
$C -fill "$BLUE" -stroke "$DARK" -draw 'polygon 16,3 30,16 2,16' -fill '#e8eef7' -draw 'rectangle 7,15 25,29' -fill "$AMBER" -draw 'rectangle 13,20 19,29' home.png
# Drive: a flat box with a light.
$C -fill '#d5dbe3' -stroke "$DARK" -draw 'roundrectangle 2,10 30,24 3,3' -fill "$GREEN" -stroke none -draw 'circle 24,17 26,17' -stroke "$GREY" -draw 'line 6,17 16,17' drive.png
# Computer: a monitor on a stand.
$C -fill '#d5dbe3' -stroke "$DARK" -draw 'roundrectangle 3,4 29,22 2,2' -fill "$BLUE" -stroke none -draw 'rectangle 6,7 26,19' -fill "$DARK" -draw 'rectangle 13,23 19,26' -draw 'rectangle 9,26 23,28' computer.png
# Device: a phone.
$C -fill "$DARK" -stroke "$DARK" -draw 'roundrectangle 9,2 23,30 3,3' -fill "$BLUE" -stroke none -draw 'rectangle 11,6 21,24' -fill '#d5dbe3' -draw 'circle 16,27 17,27' device.png
# Exit: a door and an arrow leaving it.
$C -fill '#d5dbe3' -stroke "$DARK" -draw 'rectangle 4,3 18,29' -stroke "$RED" -strokewidth 3 -draw 'line 12,16 27,16' -fill "$RED" -stroke none -draw 'polygon 30,16 23,10 23,22' exit.png
# Close: a red disc with a white cross.
$C -fill "$RED" -stroke '#8e2a25' -draw 'circle 16,16 16,2' -stroke white -strokewidth 4 -draw 'line 10,10 22,22' -draw 'line 22,10 10,22' close.png
# About: a blue disc with an "i".
$C -fill "$BLUE" -stroke "$DARK" -draw 'circle 16,16 16,2' -fill white -stroke none -draw 'circle 16,9 16,11' -draw 'rectangle 14,13 18,25' about.png
# Web: a globe.
$C -fill '#cfe3f7' -stroke "$BLUE" -draw 'circle 16,16 16,3' -fill none -draw 'ellipse 16,16 6,13 0,360' -draw 'line 3,16 29,16' -draw 'line 5,10 27,10' -draw 'line 5,22 27,22' web.png
# Reset log: a sheet with lines and a red cross.
$C -fill white -stroke "$DARK" -draw 'rectangle 5,3 23,29' -stroke "$GREY" -draw 'line 8,9 20,9' -draw 'line 8,14 20,14' -draw 'line 8,19 16,19' -stroke "$RED" -strokewidth 3 -draw 'line 18,20 28,30' -draw 'line 28,20 18,30' reset_log.png
# Status bar: a window with its bottom bar highlighted.
$C -fill white -stroke "$DARK" -draw 'rectangle 3,4 29,28' -fill "$BLUE" -stroke none -draw 'rectangle 4,23 28,27' status_bar.png
# Output pane: a window with a lined bottom pane.
$C -fill white -stroke "$DARK" -draw 'rectangle 3,4 29,28' -fill '#dfe8f3' -draw 'rectangle 3,17 29,28' -stroke "$BLUE" -draw 'line 6,21 24,21' -draw 'line 6,25 20,25' output_pane.png
# Tooltips: a speech bubble.
$C -fill '#fff6c8' -stroke '#a7791a' -draw 'roundrectangle 3,4 29,21 4,4' -draw 'polygon 9,20 9,28 16,20' -stroke "$DARK" -draw 'line 8,10 24,10' -draw 'line 8,15 20,15' tooltips.png
# Preview: a picture with a mountain and a sun.
$C -fill '#cfe3f7' -stroke "$DARK" -draw 'rectangle 3,5 29,27' -fill "$GREEN" -stroke none -draw 'polygon 4,26 13,14 20,22 23,18 28,26' -fill "$AMBER" -draw 'circle 22,11 24,11' preview.png
# Rotate: a picture with a turning arrow.
$C -fill '#cfe3f7' -stroke "$DARK" -draw 'rectangle 3,11 21,29' -fill none -stroke "$BLUE" -strokewidth 3 -draw 'arc 10,3 30,23 270,90' -fill "$BLUE" -stroke none -draw 'polygon 20,0 20,7 14,3' rotate.png
# Keep orientation: a picture with a lock bar.
$C -fill '#cfe3f7' -stroke "$DARK" -draw 'rectangle 3,5 29,27' -fill "$GREY" -stroke none -draw 'rectangle 10,14 22,25' -fill none -stroke "$GREY" -strokewidth 3 -draw 'arc 11,7 21,19 180,360' keep_orientation.png
# Visual style: a palette.
$C -fill '#f1e3c8' -stroke '#8a6a3a' -draw 'ellipse 16,16 14,12 0,360' -stroke none -fill "$RED" -draw 'circle 10,12 12,12' -fill "$BLUE" -draw 'circle 17,9 19,9' -fill "$GREEN" -draw 'circle 23,13 25,13' -fill "$AMBER" -draw 'circle 12,20 14,20' style.png
# Database: a cylinder.
$C -fill '#dfe8f3' -stroke "$DARK" -draw 'rectangle 6,7 26,25' -draw 'ellipse 16,25 10,4 0,180' -fill '#f4f8fc' -draw 'ellipse 16,7 10,4 0,360' -fill none -draw 'ellipse 16,16 10,4 0,180' database.png
# Messages: an envelope.
$C -fill white -stroke "$DARK" -draw 'rectangle 3,8 29,25' -fill none -draw 'polyline 3,8 16,18 29,8' messages.png
# The program: its icon is drawn once, in org.quorin.Lorvexandrin.svg; the window icon and the
# desktop's hicolor sizes are renderings of it (rsvg-convert, from librsvg2-bin).
rsvg-convert -w 64 -h 64 org.quorin.Lorvexandrin.svg -o lorvexandrin.png
for size in 16 32 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" org.quorin.Lorvexandrin.svg -o "hicolor/${size}x${size}/apps/org.quorin.Lorvexandrin.png"
done
