// user32: popup menus.
#pragma once
