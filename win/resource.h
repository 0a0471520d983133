#pragma once
// Resource identifiers shared by quorvel.rc and the code.

#define IDI_QUORVEL 1
#define IDA_MAIN 2
#define IDM_SHOW_OUTPUT 40001
#define IDM_SHOW_LEVEL 40002
