#include "zorextss.as"
; objects.as: moving and resizing objects, reading an input box's text and
; noticing which objects were added.

	screen 0, 400, 240, 0
	SetObjTable
	sdim text, 64
	text = "type here"
	input text
	button "Read", *readtext
	button "Move", *move
	CheckObjTable
	dim changed, 64
	GetObjTable changed
	mes "new objects: " + changed.0 + " " + changed.1 + " " + changed.2
	stop

*readtext
	sdim got, 64
	SetTargetObj 0
	GetObjText got
	mes "input box: " + got
	stop

*move
	MoveObject 1, 200, 100
	ResizeObject 1, 120, 40
	CallCursor 1, 0
	stop
