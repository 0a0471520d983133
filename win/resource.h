#pragma once
// Resource identifiers shared by quorvel.rc and the code.

#define IDI_QUORVEL 1
#define IDA_MAIN 2
#define IDM_SHOW_OUTPUT 40001
#define IDM_SHOW_LEVEL 40002
// The action buttons' access keys, from every window of the program: the
// buttons' own commands.
#define IDM_GEN_MAP 100
#define IDM_GEN_BSP 101
#define IDM_RUN 102
