#include "zorextss.as"
; shortcut.as: writes a shortcut to Notepad into the current directory and
; reads its target back. The settings are taken by the next CreateShortCut.

	sdim work, 260
	work = curdir
	SetShortCutParam work, 0, 0
	sdim arg, 260
	arg = "readme.txt"
	SetShortCutArg arg
	; 0: normal window, 1: minimised, 2: maximised
	SetShortCutShow 0

	sdim target, 260
	target = windir + "\\notepad.exe"
	link = curdir + "\\notepad.lnk"
	CreateShortCut target, link
	if stat ! 0 : mes "the shortcut could not be written" : FreeShortCutParam : stop

	sdim got, 260
	GetShortCutParam got, link, 0
	mes "target: " + got
	GetShortCutParam got, link, 1
	mes "arguments: " + got
	stop
