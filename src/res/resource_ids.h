// Numeric ids of every resource in cinevane.rc (shared by the .rc, the module and the stand-in).
#pragma once

#define IDS_HOST_MF2 1
#define IDS_HOST_NAME 2
#define IDS_HOST_TITLE_FORMAT 64
#define IDS_OBJ_NAME 128
#define IDS_OBJ_AUTHOR 129
#define IDS_OBJ_COPYRIGHT 130
#define IDS_OBJ_COMMENT 131
#define IDS_OBJ_HTTP 132
