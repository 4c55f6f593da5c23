// winmm and user32: wave files and alert sounds.
#pragma once
