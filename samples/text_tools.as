#include "zorextss.as"
; text_tools.as: case and width mapping, search and count, path parts.

	sdim d, 256

	; mapping modes: 1 full width, 2 half width, 16 lower, 32 upper case
	MapStr d, "Hot Soup Processor", 32
	mes "upper case: " + d
	MapStr d, "ZorExtSS 123", 1
	mes "full width: " + d

	t = "Hot Soup Processor"
	strlen n, t
	; a negative length searches without regard to case
	SearchStr t, "SOUP", -n, 0
	mes "soup: stat " + stat + " (byte position + 1, 0 when absent)"
	CountChr t, 111, n, 0
	mes "letters o: " + stat

	path = "C:\\hsp\\sample\\text_tools.as"
	repeat 5
		NodeExt d, path, cnt, 0
		if stat = 0 : mes "part " + cnt + ": " + d
	loop
	stop
