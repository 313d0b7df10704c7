#!/usr/bin/env bash
# Draws the two notification-area figures of the already-running and opening dialogs:
# resources/figure_tray_legacy.png (Windows 7/8/8.1: the ▲ button and its overflow box) and
# resources/figure_tray_modern.png (Windows 10/11: the ∧ button and its overflow box), each with
# the program's icon among the hidden ones. Needs ImageMagick; run it after changing the icon.
set -euo pipefail
cd "$(dirname "$0")/../resources"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert 'wavelith_on.ico[2]' "$work/icon.png"

# Windows 7/8/8.1: light taskbar, white overflow box with a thin frame.
convert -size 200x100 xc:'#dfe8f3' \
  -fill '#b9c9dc' -draw 'rectangle 0,72 199,99' \
  -fill '#ffffff' -stroke '#7f9db9' -draw 'rectangle 96,10 176,62' -stroke none \
  -fill '#8a8a8a' -draw 'rectangle 104,18 119,33' -fill '#3c9a3c' -draw 'rectangle 128,18 143,33' \
  -fill '#d08a2a' -draw 'rectangle 104,40 119,55' \
  -fill '#1f3f6f' -draw 'polygon 100,92 108,80 116,92' \
  -fill none -stroke '#e02020' -strokewidth 2 -draw 'ellipse 108,86 12,10 0,360' -stroke none \
  -fill '#1f3f6f' -font DejaVu-Sans -pointsize 12 -draw 'text 150,91 "12:34"' \
  \( "$work/icon.png" \) -geometry +152+18 -composite \
  -fill none -stroke '#e02020' -strokewidth 2 -draw 'rectangle 149,15 170,36' \
  figure_tray_legacy.png

# Windows 10/11: dark taskbar, dark overflow box.
convert -size 200x100 xc:'#d4dbe3' \
  -fill '#202020' -draw 'rectangle 0,72 199,99' \
  -fill '#2b2b2b' -stroke '#454545' -draw 'rectangle 96,10 176,62' -stroke none \
  -fill '#8a8a8a' -draw 'rectangle 104,18 119,33' -fill '#3c9a3c' -draw 'rectangle 128,18 143,33' \
  -fill '#d08a2a' -draw 'rectangle 104,40 119,55' \
  -fill none -stroke '#ffffff' -strokewidth 2 -draw 'polyline 102,89 108,82 114,89' -stroke none \
  -fill none -stroke '#e02020' -strokewidth 2 -draw 'ellipse 108,86 12,10 0,360' -stroke none \
  -fill '#ffffff' -font DejaVu-Sans -pointsize 12 -draw 'text 150,91 "12:34"' \
  \( "$work/icon.png" \) -geometry +152+18 -composite \
  -fill none -stroke '#e02020' -strokewidth 2 -draw 'rectangle 149,15 170,36' \
  figure_tray_modern.png

# The program's tray icon as a picture on the dialog background.
convert -size 32x32 xc:'#f0f0f0' \( 'wavelith_on.ico[1]' \) -composite -type TrueColor BMP3:tray_picture.bmp
