#include "zorextss.as"
; clipboard.as: text to and from the clipboard, and the window's picture
; as a bitmap.

	screen 0, 640, 480, 0
	sdim t, 256
	t = "Copied by ZorExtSS"
	Txt2Clip t, 0
	sdim r, 1024
	GetClipTxt r
	mes "clipboard text: " + r

	; copy the window's picture, then draw it back shifted to the right
	color 255, 0, 0 : boxf 10, 60, 110, 160
	Dib2Clip
	dim info, 5
	GetClipInfo info
	mes "kind " + info.0 + ", " + info.3 + " x " + info.4 + ", " + info.2 + " bits"
	if info.0 = 2 : GetClipDib 200, 0 : redraw 1
	stop
