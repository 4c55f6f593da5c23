#include "zorextss.as"
; environment.as: command line, directories, environment and shell folders.

	sdim v, 260
	GetCmdLine v, 1
	mes "arguments: " + v
	GetWinTemp v
	mes "temporary directory: " + v
	GetCurDir v
	mes "current directory: " + v
	GetEnvVar v, "USERPROFILE"
	mes "USERPROFILE: " + v
	GetShellDir v, 0
	mes "desktop folder: " + v

	; the size words of a variable: 3 strings of 64 bytes
	sdim list, 64, 3
	ChkPval list, 1
	mes "row size " + (stat * 4) + " bytes"
	ChkPval list, 2
	mes "rows " + stat
	stop
