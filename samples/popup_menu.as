#include "zorextss.as"
; popup_menu.as: a popup menu from a string array; "-" is a separator.
; DoPopup returns the chosen item's number (from 1) in stat.

	sdim items, 64, 4
	items.0 = "Red"
	items.1 = "Blue"
	items.2 = "-"
	items.3 = "Quit"
	CreatePopup items, 4, 0
	button "Menu", *showmenu
	stop

*showmenu
	; the menu's corner in screen coordinates
	DoPopup 120, 120, 0
	choice = stat
	if choice = 1 : color 255, 0, 0 : boxf 0, 40, 100, 140
	if choice = 2 : color 0, 0, 255 : boxf 0, 40, 100, 140
	if choice = 3 : DestroyPopup 256 : end
	stop
