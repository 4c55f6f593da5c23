// kernel32: the command line, directories and environment variables.
#pragma once
