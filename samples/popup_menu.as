#include "zorextss.as"
; popup_menu.as: a popup menu from a string array, shown where the right
; mouse button is clicked. "-" is a separator; DoPopup returns the chosen
; item's number (from 1, separators not counted) in stat, 0 when none.

	screen 0, 320, 240, 0
	sdim items, 64, 4
	items.0 = "Red"
	items.1 = "Blue"
	items.2 = "-"
	items.3 = "Quit"
	CreatePopup items, 4, 0
	mes "Right-click for the menu."
	onclick gosub *clicked
	stop

*clicked
	; only the right button (virtual key 2) opens the menu
	getkey right, 2
	if right = 0 : return
	; the menu's corner goes to the mouse, in screen coordinates
	ginfo 0
	DoPopup prmx, prmy, 0
	choice = stat
	if choice = 1 : color 255, 0, 0 : boxf 0, 40, 100, 140
	if choice = 2 : color 0, 0, 255 : boxf 0, 40, 100, 140
	if choice = 3 : DestroyPopup 256 : end
	return
