// advapi32: an in-memory HKEY_CURRENT_USER.
#pragma once
