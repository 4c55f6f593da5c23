#include "zorextss.as"
; pi_view.as: draws a Pi picture twice, the second time over a
; background with palette index 0 transparent.

	dialog "pi", 16, "Pi picture"
	if stat = 0 : end
	fname = refstr

	dim size, 2
	PiInfo size, fname
	if stat ! 0 : dialog "Not a Pi picture: " + fname : end

	screen 0, 640, 480, 0
	title "pi_view: " + size.0 + " x " + size.1

	; opaque, at (0, 0); flags 0 redraw the window afterwards
	PiTransColour 0, 0, 0
	PiLoad fname, 0

	; transparent index 0, placed at the current position ($10)
	color 0, 128, 255 : boxf 320, 0, 639, 479
	pos 320, 0
	PiTransColour 0, 1, 0
	PiLoad fname, $10
	if stat ! 0 : mes "PiLoad: stat " + stat
	PiTransColour 0, 0, 0
	stop
