#include "zorextss.as"
; float_calc.as: double-precision arithmetic in the float registers.
; Numbers go in and come out as text in a string variable.

	sdim s, 64

	; r0 = (1.5 + 2.25) * 4 / 3
	s = "1.5" : FloatSetBuf s, 0
	s = "2.25" : FloatSetBuf s, 1
	FloatPlusBuf 0, 1
	s = "4" : FloatSetBuf s, 1
	FloatMultiplyBuf 0, 1
	s = "3" : FloatSetBuf s, 1
	FloatDivideBuf 0, 1
	FloatToString s, 0, 6, 1
	mes "(1.5 + 2.25) * 4 / 3 = " + s

	dim n, 1
	FloatToInt n, 0
	mes "as an integer: " + n

	; r3 = square root of 2
	s = "2" : FloatSetBuf s, 2
	FloatRootBuf 3, 2
	FloatToString s, 3, 12, 1
	mes "sqrt(2) = " + s

	; r5 = sine of 30 degrees
	s = "30" : FloatSetBuf s, 4
	FloatDEGtoRAD 4, 4
	FloatSinBuf 5, 4
	FloatToString s, 5, 6, 1
	mes "sin(30 deg) = " + s

	; division by zero is refused (stat 255) and leaves r0 alone
	FloatClrBuf 6
	FloatDivideBuf 0, 6
	mes "1 / 0: stat " + stat
	stop
