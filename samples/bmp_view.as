#include "zorextss.as"
; bmp_view.as: shows a BMP file's header values and draws the picture.
; BmpInfo fills seven integers; BmpLoad draws at the current position.

	dialog "bmp", 16, "Bitmap file"
	if stat = 0 : end
	fname = refstr

	dim info, 7
	BmpInfo info, fname
	if stat ! 0 : dialog "Not a readable BMP file: " + fname : end

	screen 0, 640, 480, 0
	title "bmp_view: " + info.1 + " x " + info.2 + ", " + info.3 + " bits"
	pos 0, 0
	BmpLoad fname
	; 0 drawn, 32 drawn from a short file; anything else was refused
	if stat ! 0 : mes "BmpLoad: stat " + stat
	stop
