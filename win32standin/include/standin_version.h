// kernel32: Beep and the system version.
#pragma once
