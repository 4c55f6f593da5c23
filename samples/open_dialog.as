#include "zorextss.as"
; open_dialog.as: file dialogs with a file-type mask. The mask holds
; description and pattern pairs; the next dialog takes and releases it.

	sdim mask, 64, 4
	mask.0 = "Text files (*.txt)"
	mask.1 = "*.txt"
	mask.2 = "All files (*.*)"
	mask.3 = "*.*"
	SetFileMask mask, 2

	; at least 260 bytes for the path
	sdim fname, 260
	GetOpenFile fname, "txt"
	if stat ! 0 : mes "no file chosen" : stop
	mes "open: " + fname

	SetFileMask mask, 0
	; option 2 asks before overwriting an existing file
	GetSaveFile fname, "txt", 2
	if stat = 0 : mes "save as: " + fname
	stop
