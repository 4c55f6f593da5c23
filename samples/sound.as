#include "zorextss.as"
; sound.as: a tone, an alert sound, a wave file and the version texts.

	Bell 440, 200
	Bell2 1

	sdim wav, 260
	wav = windir + "\\Media\\chimes.wav"
	PlayWave wav
	if stat ! 0 : mes "cannot play " + wav

	; the texts come back in refstr, the numbers in stat
	GetWinVerEx 1
	mes refstr + " (major version " + stat + ")"
	GetZorExtVer
	mes "ZorExtSS " + refstr
	stop
