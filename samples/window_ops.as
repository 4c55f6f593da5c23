#include "zorextss.as"
; window_ops.as: a message box owned by this window, window states and the
; cursor position in the client area.

	screen 0, 320, 200, 0
	; this window becomes the owner of the library's dialogs
	SetParentWnd 0
	msg = "Maximise this window?"
	; $33: question icon, Yes and No; default button 2 (No)
	ExDialog msg, "window_ops", $33, 2
	if stat = 2 : ZorMaximize

	button "Flash", *flash
	button "Restore", *restore
	BS_Def 0

*main
	GetClientCurPos 0 : x = stat
	GetClientCurPos 1 : y = stat
	Zoomed : z = stat
	if x = 268435455 : title "cursor outside" : wait 10 : goto *main
	title "cursor " + x + ", " + y + "  maximised " + z
	wait 10
	goto *main

*flash
	FlashWin 1
	goto *main

*restore
	ZorRestore
	SetCursorClient 160, 100
	goto *main
