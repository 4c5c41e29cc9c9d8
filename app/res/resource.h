#pragma once

// Resource and control ids of the program.
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN_DIALOG 102
#define IDR_MAINFRAME 128
#define IDC_GRAB 1002
#define IDC_LOG 1005
#define IDM_ABOUTBOX 0x0010
#define IDM_MESHVIEW 0x0020
#define IDM_GRABAGAIN 0x0030
