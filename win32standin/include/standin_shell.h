// ole32 and shell32: COM start-up and the shell link object.
#pragma once
