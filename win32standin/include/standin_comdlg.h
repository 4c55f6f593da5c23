// comdlg32: the open and save dialogs.
#pragma once
