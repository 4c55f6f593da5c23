#include "zorextss.as"
; geometry.as: trigonometry and numbers on scaled integers. TriFunc draws
; a circle, GetAngle reports the direction from the centre to the mouse.

	screen 0, 640, 480, 0
	dim v, 1
	color 0, 0, 0
	repeat 360
		TriFunc v, 1, cnt, 200 : x = 320 + v
		TriFunc v, 0, cnt, 200 : y = 240 - v
		pset x, y
	loop

	Root v, 2, 1000
	pos 8, 8 : mes "sqrt(2) x 1000 = " + v
	Hex2Int v, "7FFF"
	mes "hex 7FFF = " + v
	sdim q, 64
	DecimalStr q, 12345, 100
	mes "12345 / 100 = " + q
	; SlideNum shifts bytes: "HAL" + 1 = "IBM"
	q = "HAL"
	SlideNum q, 0, 3, 1
	mes "HAL + 1 = " + q

*main
	; GetAngle stops the script for a vertical line: keep x1 and x2 apart
	if mousex = 320 : wait 5 : goto *main
	GetAngle 320, 240, mousex, mousey
	a = stat
	title "angle to the mouse: " + (a / 10000) + " deg"
	wait 5
	goto *main
